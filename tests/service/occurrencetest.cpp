// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// When scheduled presets fire: the occurrence rules and the decision of one
// tick, at fixed dates in the Europe/Berlin time zone (with its daylight-
// saving changes on 29 March and 25 October 2026).

#include "occurrence.h"
#include "zeltest.h"

#include <ctime>

namespace
{
QDateTime at(const char *text)
{
    const QDateTime result = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Q_ASSERT_X(result.isValid(), "at", text);
    return result;
}

RepeatSettings repeat(int type, int customType = RepeatCustomType::Days, int count = 1, std::set<qint32> selected = {})
{
    RepeatSettings result;
    result.type = type;
    result.customType = customType;
    result.count = count;
    result.selected = std::move(selected);
    return result;
}

RepeatSettings custom(int customType, int count, std::set<qint32> selected = {})
{
    return repeat(RepeatType::Custom, customType, count, std::move(selected));
}

// 02:30 on 25 October 2026 comes twice; this is the first, in summer time.
QDateTime firstHalfPastTwo()
{
    return at("2026-10-25 01:30:00").addSecs(3600);
}

QString show(const QDateTime &dateTime)
{
    return dateTime.isValid() ? dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t")) : QStringLiteral("invalid");
}
} // namespace

Q_DECLARE_METATYPE(RepeatSettings)

class OccurrenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
        // The tables rely on the zone's changes: 02:00 -> 03:00 on 29 March,
        // 03:00 -> 02:00 on 25 October 2026.
        QVERIFY(!QDateTime(QDate(2026, 3, 29), QTime(2, 30), Qt::LocalTime).isValid());
        QCOMPARE(at("2026-10-25 01:00:00").secsTo(at("2026-10-25 04:00:00")), 4 * 3600);
    }

    void nextOccurrence_data()
    {
        QTest::addColumn<RepeatSettings>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");

        // Custom days, count 3, from 1 January 10:00.
        const QDateTime jan1 = at("2026-01-01 10:00:00");
        QTest::newRow("days/3 two days ahead") << custom(RepeatCustomType::Days, 3) << jan1 << at("2026-01-05 09:00:00") << at("2026-01-07 10:00:00");
        QTest::newRow("days/3 on a step day, time passed")
            << custom(RepeatCustomType::Days, 3) << jan1 << at("2026-01-04 11:00:00") << at("2026-01-07 10:00:00");
        QTest::newRow("days/3 on a step day, time ahead")
            << custom(RepeatCustomType::Days, 3) << jan1 << at("2026-01-04 09:00:00") << at("2026-01-04 10:00:00");
        QTest::newRow("days/3 at the very second") << custom(RepeatCustomType::Days, 3) << jan1 << at("2026-01-04 10:00:00") << at("2026-01-04 10:00:00");

        // Weeks, from Monday 5 January 2026 10:00.
        const QDateTime mon = at("2026-01-05 10:00:00");
        QTest::newRow("weeks/2 empty selection") << custom(RepeatCustomType::Weeks, 2) << mon << at("2026-01-14 09:00:00") << at("2026-01-19 10:00:00");
        QTest::newRow("weeks Mon+Wed after Wednesday's time")
            << custom(RepeatCustomType::Weeks, 1, {1, 3}) << mon << at("2026-01-14 11:00:00") << at("2026-01-19 10:00:00");
        QTest::newRow("weeks Mon+Wed before Wednesday's time")
            << custom(RepeatCustomType::Weeks, 1, {1, 3}) << mon << at("2026-01-14 09:00:00") << at("2026-01-14 10:00:00");
        QTest::newRow("weeks Mon+Wed on Tuesday") << custom(RepeatCustomType::Weeks, 1, {1, 3}) << mon << at("2026-01-13 23:00:00")
                                                  << at("2026-01-14 10:00:00");
        QTest::newRow("weeks Sunday only, from Monday")
            << custom(RepeatCustomType::Weeks, 1, {7}) << mon << at("2026-01-12 12:00:00") << at("2026-01-18 10:00:00");
        QTest::newRow("weeks out-of-range days act as no selection")
            << custom(RepeatCustomType::Weeks, 1, {0, 9}) << mon << at("2026-01-07 12:00:00") << at("2026-01-12 10:00:00");

        // Months, from 5 January 2026 10:00.
        const QDateTime jan5 = at("2026-01-05 10:00:00");
        QTest::newRow("months/1 mid-month") << custom(RepeatCustomType::Monthes, 1) << jan5 << at("2026-03-20 09:00:00") << at("2026-04-05 10:00:00");
        QTest::newRow("months/1 early in the month") << custom(RepeatCustomType::Monthes, 1) << jan5 << at("2026-04-01 09:00:00") << at("2026-04-05 10:00:00");
        QTest::newRow("months/2 in the off month") << custom(RepeatCustomType::Monthes, 2) << jan5 << at("2026-02-03 09:00:00") << at("2026-03-05 10:00:00");
        QTest::newRow("months/2 on the start day, time passed")
            << custom(RepeatCustomType::Monthes, 2) << jan5 << at("2026-01-05 11:00:00") << at("2026-03-05 10:00:00");
        QTest::newRow("months/2 on a step day") << custom(RepeatCustomType::Monthes, 2) << jan5 << at("2026-05-05 10:00:00") << at("2026-05-05 10:00:00");
        QTest::newRow("months/1 from the 31st into February")
            << custom(RepeatCustomType::Monthes, 1) << at("2026-01-31 10:00:00") << at("2026-02-28 09:00:00") << at("2026-02-28 10:00:00");
        QTest::newRow("months day 31 skips the short months")
            << custom(RepeatCustomType::Monthes, 1, {31}) << jan5 << at("2026-02-10 09:00:00") << at("2026-03-31 10:00:00");
        QTest::newRow("months days 1+15 after the 15th")
            << custom(RepeatCustomType::Monthes, 1, {1, 15}) << jan5 << at("2026-01-20 09:00:00") << at("2026-02-01 10:00:00");
        QTest::newRow("months day 30 from 31 January")
            << custom(RepeatCustomType::Monthes, 1, {30}) << jan5 << at("2026-01-31 09:00:00") << at("2026-03-30 10:00:00");
        QTest::newRow("months day 29 in a leap February")
            << custom(RepeatCustomType::Monthes, 1, {29}) << at("2024-01-05 10:00:00") << at("2024-02-10 09:00:00") << at("2024-02-29 10:00:00");

        // A count below 1 counts as 1.
        QTest::newRow("days/0") << custom(RepeatCustomType::Days, 0) << jan1 << at("2026-01-05 11:00:00") << at("2026-01-06 10:00:00");
        QTest::newRow("weeks/-3") << custom(RepeatCustomType::Weeks, -3) << mon << at("2026-01-06 09:00:00") << at("2026-01-12 10:00:00");
        QTest::newRow("months/0") << custom(RepeatCustomType::Monthes, 0) << jan5 << at("2026-02-06 09:00:00") << at("2026-03-05 10:00:00");
        QTest::newRow("unknown custom type") << custom(7, 1) << jan1 << at("2026-01-05 11:00:00") << at("2026-01-05 10:00:00");

        // EveryDay.
        QTest::newRow("day before the time") << repeat(RepeatType::EveryDay) << jan1 << at("2026-01-05 09:00:00") << at("2026-01-05 10:00:00");
        QTest::newRow("day just after the time") << repeat(RepeatType::EveryDay) << jan1 << at("2026-01-05 10:00:01") << at("2026-01-06 10:00:00");

        // EveryWeek: on the start's weekday (Monday).
        QTest::newRow("week on Wednesday") << repeat(RepeatType::EveryWeek) << mon << at("2026-01-07 09:00:00") << at("2026-01-12 10:00:00");
        QTest::newRow("week on Monday before the time") << repeat(RepeatType::EveryWeek) << mon << at("2026-01-12 09:59:59") << at("2026-01-12 10:00:00");
        QTest::newRow("week on Monday after the time") << repeat(RepeatType::EveryWeek) << mon << at("2026-01-12 10:00:01") << at("2026-01-19 10:00:00");
        QTest::newRow("week across the year end") << repeat(RepeatType::EveryWeek) << at("2025-12-29 10:00:00") << at("2025-12-31 10:00:00")
                                                  << at("2026-01-05 10:00:00");

        // EveryMonth: on the start's day, the last day of shorter months,
        // always counted from the start.
        const QDateTime jan31 = at("2026-01-31 10:00:00");
        QTest::newRow("month 31st in February") << repeat(RepeatType::EveryMonth) << jan31 << at("2026-02-01 09:00:00") << at("2026-02-28 10:00:00");
        QTest::newRow("month 31st after February's") << repeat(RepeatType::EveryMonth) << jan31 << at("2026-02-28 10:00:01") << at("2026-03-31 10:00:00");
        QTest::newRow("month 31st in April") << repeat(RepeatType::EveryMonth) << jan31 << at("2026-04-02 09:00:00") << at("2026-04-30 10:00:00");
        QTest::newRow("month 31st in a leap February")
            << repeat(RepeatType::EveryMonth) << at("2024-01-31 10:00:00") << at("2024-02-01 09:00:00") << at("2024-02-29 10:00:00");
        QTest::newRow("month 5th before the day") << repeat(RepeatType::EveryMonth) << jan5 << at("2026-03-04 23:00:00") << at("2026-03-05 10:00:00");
        QTest::newRow("month 5th after the day") << repeat(RepeatType::EveryMonth) << jan5 << at("2026-03-05 10:00:01") << at("2026-04-05 10:00:00");
        QTest::newRow("month across the year end") << repeat(RepeatType::EveryMonth) << at("2025-10-31 10:00:00") << at("2025-12-31 11:00:00")
                                                   << at("2026-01-31 10:00:00");

        // EveryYear: on the start's date; 29 February on the 28th elsewhere.
        const QDateTime leap = at("2024-02-29 10:00:00");
        QTest::newRow("year leap day in a common year") << repeat(RepeatType::EveryYear) << leap << at("2025-01-01 00:00:00") << at("2025-02-28 10:00:00");
        QTest::newRow("year leap day after the 28th") << repeat(RepeatType::EveryYear) << leap << at("2025-03-01 00:00:00") << at("2026-02-28 10:00:00");
        QTest::newRow("year leap day in the next leap year") << repeat(RepeatType::EveryYear) << leap << at("2027-12-31 00:00:00") << at("2028-02-29 10:00:00");
        QTest::newRow("year after the day") << repeat(RepeatType::EveryYear) << at("2026-03-15 10:00:00") << at("2026-03-15 11:00:00")
                                            << at("2027-03-15 10:00:00");

        // Undefined: today's time of day, even when passed (never equal to now).
        QTest::newRow("undefined") << repeat(RepeatType::Undefined) << jan1 << at("2026-01-05 11:00:00") << at("2026-01-05 10:00:00");

        // Daylight-saving changes.
        const QDateTime halfPastTwo = at("2026-03-01 02:30:00");
        QTest::newRow("dst gap moves 02:30 to 03:30") << repeat(RepeatType::EveryDay) << halfPastTwo << at("2026-03-29 01:00:00") << at("2026-03-29 03:30:00");
        QTest::newRow("dst gap, the day before") << repeat(RepeatType::EveryDay) << halfPastTwo << at("2026-03-28 02:30:01") << at("2026-03-29 03:30:00");
        QTest::newRow("dst gap, the day after") << repeat(RepeatType::EveryDay) << halfPastTwo << at("2026-03-29 03:30:01") << at("2026-03-30 02:30:00");
        QTest::newRow("dst spring keeps the time of day")
            << repeat(RepeatType::EveryDay) << at("2026-03-01 10:00:00") << at("2026-03-28 10:00:01") << at("2026-03-29 10:00:00");
        QTest::newRow("dst spring, weekly") << repeat(RepeatType::EveryWeek) << at("2026-03-22 10:00:00") << at("2026-03-22 10:00:01")
                                            << at("2026-03-29 10:00:00");
        QTest::newRow("dst spring, days/2") << custom(RepeatCustomType::Days, 2) << at("2026-03-27 10:00:00") << at("2026-03-28 10:00:00")
                                            << at("2026-03-29 10:00:00");
        QTest::newRow("dst autumn keeps the time of day")
            << repeat(RepeatType::EveryDay) << at("2026-10-01 10:00:00") << at("2026-10-24 10:00:01") << at("2026-10-25 10:00:00");
        QTest::newRow("dst autumn, monthly") << repeat(RepeatType::EveryMonth) << at("2026-09-25 02:30:00") << at("2026-10-01 00:00:00") << firstHalfPastTwo();
    }

    void nextOccurrence()
    {
        QFETCH(RepeatSettings, rule);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QCOMPARE(show(Occurrence::nextOccurrence(now, start, rule)), show(expected));
    }

    void never() { QVERIFY(!Occurrence::nextOccurrence(at("2026-01-05 11:00:00"), at("2026-01-01 10:00:00"), repeat(RepeatType::Never)).isValid()); }

    void autumnChangeFiresOnce()
    {
        // 02:30 comes twice on 25 October; a daily 02:30 fires at the first.
        const QDateTime start = at("2026-10-01 02:30:00");
        const QDateTime first = firstHalfPastTwo();
        const QDateTime second = first.addSecs(3600);
        QCOMPARE(first.time(), QTime(2, 30));
        QCOMPARE(first.offsetFromUtc(), 7200);
        QCOMPARE(second.time(), QTime(2, 30));
        QCOMPARE(second.offsetFromUtc(), 3600);
        const RepeatSettings daily = repeat(RepeatType::EveryDay);
        QCOMPARE(show(Occurrence::nextOccurrence(first, start, daily)), show(first));
        QCOMPARE(Occurrence::atLocalTime(first.date(), first.time()).offsetFromUtc(), 7200);
        QVERIFY(Occurrence::nextOccurrence(second, start, daily) != second);
        QCOMPARE(show(Occurrence::nextOccurrence(second, start, daily)), show(at("2026-10-26 02:30:00")));
        QVERIFY(Occurrence::tick(first, start, at("2027-01-01 00:00:00"), 0, daily).execute);
        QVERIFY(!Occurrence::tick(second, start, at("2027-01-01 00:00:00"), 0, daily).execute);
    }

    void offsets()
    {
        const QDateTime start = at("2026-01-05 10:00:00");
        // Today's occurrence still ahead, then passed.
        QCOMPARE(Occurrence::weekdayOffset(at("2026-01-14 09:00:00"), start, {3}), qint64(3600 * 1000));
        QCOMPARE(Occurrence::weekdayOffset(at("2026-01-14 10:00:00"), start, {3}), qint64(0));
        QCOMPARE(Occurrence::weekdayOffset(at("2026-01-14 10:00:01"), start, {3}), qint64(7 * 86400 * 1000 - 1000));
        QCOMPARE(Occurrence::monthDayOffset(at("2026-01-20 09:00:00"), start, {1, 15}), at("2026-01-20 09:00:00").msecsTo(at("2026-02-01 10:00:00")));
        // Nothing in range.
        QCOMPARE(Occurrence::weekdayOffset(at("2026-01-14 09:00:00"), start, {}), qint64(-1));
        QCOMPARE(Occurrence::weekdayOffset(at("2026-01-14 09:00:00"), start, {8}), qint64(-1));
        QCOMPARE(Occurrence::monthDayOffset(at("2026-01-14 09:00:00"), start, {0, 32}), qint64(-1));
        // Across the spring change an offset is real time: 23 hours to the next day's 10:00.
        QCOMPARE(Occurrence::weekdayOffset(at("2026-03-28 11:00:00"), start, {7}), qint64(22 * 3600 * 1000));
    }

    void tick_data()
    {
        QTest::addColumn<RepeatSettings>("rule");
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<quint64>("notify");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("expected"); // letters: s(top) n(otify) e(xecute) a(rm)

        const QDateTime mon = at("2026-01-05 10:00:00");
        const QDateTime far = at("2027-01-01 00:00:00");
        const RepeatSettings wednesdays = custom(RepeatCustomType::Weeks, 1, {3});
        QTest::newRow("the start fires whatever the rule") << wednesdays << mon << far << quint64(0) << mon << "ea";
        QTest::newRow("a selected day fires") << wednesdays << mon << far << quint64(0) << at("2026-01-07 10:00:00") << "ea";
        QTest::newRow("another day does not") << wednesdays << mon << far << quint64(0) << at("2026-01-06 10:00:00") << "a";
        QTest::newRow("one second off does not") << wednesdays << mon << far << quint64(0) << at("2026-01-07 10:00:01") << "a";

        const RepeatSettings never = repeat(RepeatType::Never);
        QTest::newRow("never, end at start: fires") << never << mon << mon << quint64(0) << mon << "ea";
        QTest::newRow("never, end at start: then stops") << never << mon << mon << quint64(0) << mon.addSecs(1) << "s";
        QTest::newRow("never, later end: then idle") << never << mon << far << quint64(0) << mon.addSecs(1) << "";
        QTest::newRow("before the start") << never << mon << far << quint64(0) << mon.addSecs(-5) << "a";

        QTest::newRow("lead to the start") << never << mon << far << quint64(60000) << mon.addSecs(-60) << "na";
        QTest::newRow("lead, a second early") << never << mon << far << quint64(60000) << mon.addSecs(-61) << "a";
        QTest::newRow("lead of no whole second") << never << mon << far << quint64(60500) << mon.addSecs(-60) << "a";
        QTest::newRow("lead of no whole second, next") << never << mon << far << quint64(60500) << mon.addSecs(-61) << "a";

        const RepeatSettings daily = repeat(RepeatType::EveryDay);
        QTest::newRow("lead to a later occurrence") << daily << mon << far << quint64(300000) << at("2026-01-07 09:55:00") << "na";
        QTest::newRow("a later occurrence") << daily << mon << far << quint64(300000) << at("2026-01-07 10:00:00") << "ea";
        QTest::newRow("next occurrence after the end") << daily << mon << at("2026-01-07 09:00:00") << quint64(0) << at("2026-01-06 11:00:00") << "";
        QTest::newRow("end passed") << daily << mon << at("2026-01-07 09:00:00") << quint64(0) << at("2026-01-07 09:00:01") << "s";
        QTest::newRow("at the end itself") << daily << mon << at("2026-01-07 10:00:00") << quint64(0) << at("2026-01-07 10:00:00") << "ea";
        QTest::newRow("count 0 does not divide by zero")
            << custom(RepeatCustomType::Monthes, 0) << mon << far << quint64(0) << at("2026-02-05 10:00:00") << "ea";
    }

    void tick()
    {
        QFETCH(RepeatSettings, rule);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(quint64, notify);
        QFETCH(QDateTime, now);
        QFETCH(QString, expected);
        const Occurrence::Tick tick = Occurrence::tick(now, start, end, notify, rule);
        QString got;
        if (tick.stop) {
            got += QLatin1Char('s');
        }
        if (tick.notify) {
            got += QLatin1Char('n');
        }
        if (tick.execute) {
            got += QLatin1Char('e');
        }
        if (tick.arm) {
            got += QLatin1Char('a');
        }
        QCOMPARE(got, expected);
    }
};

ZEL_TEST_MAIN(OccurrenceTest)

#include "occurrencetest.moc"
