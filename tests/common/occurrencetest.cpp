// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// When presets act: the occurrence rules of schedules, their warnings,
// and the actions of daily windows, as sequences of moments
// from fixed dates. Run in the zone ZEL_TEST_TZ (Europe/Berlin by default,
// and UTC); the daylight-saving rows (31 March and 27 October 2024) only in
// Berlin. The extreme rows are there for the sanitizer build.

#include "occurrence.h"
#include "zeltest.h"

#include <ctime>
#include <limits>

namespace
{
constexpr qint32 intMax = std::numeric_limits<qint32>::max();
constexpr qint32 intMin = std::numeric_limits<qint32>::min();
constexpr quint64 u64Max = std::numeric_limits<quint64>::max();
constexpr quint64 hour = 3600 * 1000;
constexpr quint64 minute = 60 * 1000;

bool inBerlin()
{
    return qgetenv("TZ") == "Europe/Berlin";
}

// A local moment "yyyy-MM-dd HH:mm[:ss]", or an ISO moment with its offset
// for the repeated hour.
QDateTime at(const QString &text)
{
    if (text.contains(QLatin1Char('T'))) {
        return QDateTime::fromString(text, Qt::ISODate).toLocalTime();
    }
    QDateTime result = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!result.isValid()) {
        result = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
    }
    Q_ASSERT_X(result.isValid(), "at", qPrintable(text));
    return result;
}

QString show(const QDateTime &moment)
{
    return moment.isValid() ? moment.toString(Qt::ISODate) : QStringLiteral("invalid");
}

QStringList moments(const QStringList &texts)
{
    QStringList result;
    for (const QString &text : texts) {
        result << show(at(text));
    }
    return result;
}

quint64 msecs(const QString &text)
{
    return quint64(at(text).toMSecsSinceEpoch());
}

ScheduleSettings schedule(const QString &start, int type, int customType = RepeatCustomType::Days, int count = 1, std::set<qint32> selected = {})
{
    ScheduleSettings result;
    result.start = msecs(start);
    result.end = msecs(QStringLiteral("2030-01-01 00:00"));
    result.repeat.type = type;
    result.repeat.customType = customType;
    result.repeat.count = count;
    result.repeat.selected = std::move(selected);
    return result;
}

ScheduleSettings custom(const QString &start, int customType, int count, std::set<qint32> selected = {})
{
    return schedule(start, RepeatType::Custom, customType, count, std::move(selected));
}

ScheduleSettings withEnd(ScheduleSettings settings, quint64 end)
{
    settings.end = end;
    return settings;
}

ScheduleSettings withLead(ScheduleSettings settings, quint64 lead)
{
    settings.notify = lead;
    return settings;
}

IntervalSettings window(quint64 start, quint64 end, qint64 regularity)
{
    return IntervalSettings{start, end, regularity};
}
} // namespace

Q_DECLARE_METATYPE(ScheduleSettings)
Q_DECLARE_METATYPE(IntervalSettings)

class OccurrenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ZelTest::useTestTimeZone();
        if (inBerlin()) {
            QVERIFY(!QDateTime(QDate(2024, 3, 31), QTime(2, 30), Qt::LocalTime).isValid());
            QCOMPARE(at("2024-10-27 01:00").secsTo(at("2024-10-27 04:00")), 4 * 3600);
        } else {
            QCOMPARE(QDateTime::currentDateTime().offsetFromUtc(), 0);
        }
    }

    // The first occurrences at or after a moment, one after the other; fewer
    // than four when none remains before the end.
    void schedules_data()
    {
        QTest::addColumn<ScheduleSettings>("rule");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const ScheduleSettings &rule, const QString &from, const QStringList &expected) {
            QTest::newRow(name) << rule << at(from) << moments(expected);
        };
        using C = RepeatCustomType;
        const QString mon = QStringLiteral("2026-01-05 10:00"); // a Monday

        // The count counts weeks (Monday to Sunday, the start's week 0) and
        // months (the start's month 0) when days are chosen.
        row("every 2 weeks on Monday", custom(mon, C::Weeks, 2, {1}), mon, {"2026-01-05 10:00", "2026-01-19 10:00", "2026-02-02 10:00", "2026-02-16 10:00"});
        row("every 2 weeks on Mon, Fri from a Wednesday",
            custom("2026-01-07 10:00", C::Weeks, 2, {1, 5}),
            "2026-01-07 10:00",
            {"2026-01-09 10:00", "2026-01-19 10:00", "2026-01-23 10:00", "2026-02-02 10:00"});
        row("every 2 months on the 15th",
            custom("2026-01-10 10:00", C::Monthes, 2, {15}),
            "2026-01-10 10:00",
            {"2026-01-15 10:00", "2026-03-15 10:00", "2026-05-15 10:00", "2026-07-15 10:00"});
        row("every 3 months on the 1st, from later",
            custom(mon, C::Monthes, 3, {1}),
            "2026-02-01 11:00",
            {"2026-04-01 10:00", "2026-07-01 10:00", "2026-10-01 10:00", "2027-01-01 10:00"});

        // With chosen days the start acts only on a chosen day.
        row("Wednesdays from a Monday", custom(mon, C::Weeks, 1, {3}), mon, {"2026-01-07 10:00", "2026-01-14 10:00", "2026-01-21 10:00", "2026-01-28 10:00"});
        row("1st and 15th from the 5th",
            custom(mon, C::Monthes, 1, {1, 15}),
            mon,
            {"2026-01-15 10:00", "2026-02-01 10:00", "2026-02-15 10:00", "2026-03-01 10:00"});
        row("Mondays from a Monday",
            custom(mon, C::Weeks, 1, {1}),
            "2025-12-01 00:00",
            {"2026-01-05 10:00", "2026-01-12 10:00", "2026-01-19 10:00", "2026-01-26 10:00"});

        // A chosen day a month lacks falls on its last day, once.
        row("every month from the 31st",
            schedule("2026-01-31 10:00", RepeatType::EveryMonth),
            "2026-01-31 10:00",
            {"2026-01-31 10:00", "2026-02-28 10:00", "2026-03-31 10:00", "2026-04-30 10:00"});
        row("the 31st chosen", custom(mon, C::Monthes, 1, {31}), mon, {"2026-01-31 10:00", "2026-02-28 10:00", "2026-03-31 10:00", "2026-04-30 10:00"});
        row("the 29th to 31st chosen",
            custom("2026-02-01 10:00", C::Monthes, 1, {29, 30, 31}),
            "2026-02-01 10:00",
            {"2026-02-28 10:00", "2026-03-29 10:00", "2026-03-30 10:00", "2026-03-31 10:00"});
        row("the 30th from the last day of February",
            custom("2026-02-28 10:00", C::Monthes, 1, {30}),
            "2026-02-28 10:00",
            {"2026-02-28 10:00", "2026-03-30 10:00", "2026-04-30 10:00", "2026-05-30 10:00"});

        // No occurrence remains before the end.
        row("never, after its time", withEnd(schedule(mon, RepeatType::Never), msecs("2026-01-05 10:01")), "2026-01-05 10:00:01", {});
        row("never, at its time", withEnd(schedule(mon, RepeatType::Never), msecs("2026-01-05 10:01")), mon, {"2026-01-05 10:00"});
        row("daily, end half a minute after one",
            withEnd(schedule(mon, RepeatType::EveryDay), msecs("2026-01-06 10:00:30")),
            mon,
            {"2026-01-05 10:00", "2026-01-06 10:00"});
        row("end before the start", withEnd(schedule(mon, RepeatType::EveryDay), msecs("2026-01-05 09:00")), "2026-01-01 00:00", {});

        // Rules that stay as they were.
        const QString jan1 = QStringLiteral("2026-01-01 10:00");
        row("days/3", custom(jan1, C::Days, 3), "2026-01-04 11:00", {"2026-01-07 10:00", "2026-01-10 10:00", "2026-01-13 10:00", "2026-01-16 10:00"});
        row("weeks/2 without days",
            custom(mon, C::Weeks, 2),
            "2026-01-14 09:00",
            {"2026-01-19 10:00", "2026-02-02 10:00", "2026-02-16 10:00", "2026-03-02 10:00"});
        row("months/2 without days",
            custom(mon, C::Monthes, 2),
            "2026-01-05 11:00",
            {"2026-03-05 10:00", "2026-05-05 10:00", "2026-07-05 10:00", "2026-09-05 10:00"});
        row("every week",
            schedule(mon, RepeatType::EveryWeek),
            "2026-01-07 09:00",
            {"2026-01-12 10:00", "2026-01-19 10:00", "2026-01-26 10:00", "2026-02-02 10:00"});
        row("every year from 29 February",
            schedule("2024-02-29 10:00", RepeatType::EveryYear),
            "2024-03-01 00:00",
            {"2025-02-28 10:00", "2026-02-28 10:00", "2027-02-28 10:00", "2028-02-29 10:00"});
        row("weeks/-3 counts as 1",
            custom(mon, C::Weeks, -3, {1}),
            "2026-01-06 09:00",
            {"2026-01-12 10:00", "2026-01-19 10:00", "2026-01-26 10:00", "2026-02-02 10:00"});
        row("days out of range are ignored",
            custom(mon, C::Weeks, 1, {0, 9}),
            "2026-01-07 12:00",
            {"2026-01-12 10:00", "2026-01-19 10:00", "2026-01-26 10:00", "2026-02-02 10:00"});
        row("undefined acts daily",
            schedule(jan1, RepeatType::Undefined),
            "2026-01-05 11:00",
            {"2026-01-06 10:00", "2026-01-07 10:00", "2026-01-08 10:00", "2026-01-09 10:00"});
        ScheduleSettings withMSecs = schedule(mon, RepeatType::EveryDay);
        withMSecs.start += 500;
        row("milliseconds of the start are dropped",
            withMSecs,
            "2026-01-05 10:00:00",
            {"2026-01-05 10:00", "2026-01-06 10:00", "2026-01-07 10:00", "2026-01-08 10:00"});

        // Any value the JSON form can carry.
        row("days/INT_MAX", custom(mon, C::Days, intMax), "2026-01-01 00:00", {"2026-01-05 10:00"});
        row("weeks/INT_MAX on all days",
            custom("2026-01-07 10:00", C::Weeks, intMax, {1, 2, 3, 4, 5, 6, 7}),
            "2026-01-01 00:00",
            {"2026-01-07 10:00", "2026-01-08 10:00", "2026-01-09 10:00", "2026-01-10 10:00"});
        row("weeks/INT_MAX, week 0 over", custom(mon, C::Weeks, intMax, {1}), "2026-01-05 10:00:01", {});
        row("months/INT_MAX", custom(mon, C::Monthes, intMax), "2026-01-05 10:00:01", {});
        row("months/INT_MAX on the 31st", custom(mon, C::Monthes, intMax, {31}), "2026-01-01 00:00", {"2026-01-31 10:00"});
        row("weeks/INT_MIN counts as 1",
            custom(mon, C::Weeks, intMin),
            "2026-01-06 00:00",
            {"2026-01-12 10:00", "2026-01-19 10:00", "2026-01-26 10:00", "2026-02-02 10:00"});
        row("selected numbers of any int",
            custom(mon, C::Monthes, 1, {intMin, -1, 0, 32, intMax}),
            "2026-01-06 00:00",
            {"2026-02-05 10:00", "2026-03-05 10:00", "2026-04-05 10:00", "2026-05-05 10:00"});
        row("types of any int",
            custom(jan1, intMin, intMax),
            "2026-01-05 11:00",
            {"2026-01-06 10:00", "2026-01-07 10:00", "2026-01-08 10:00", "2026-01-09 10:00"});
        row("every day into the year 9999",
            withEnd(schedule("9999-12-29 10:00", RepeatType::EveryDay), u64Max),
            "9999-12-29 10:00",
            {"9999-12-29 10:00", "9999-12-30 10:00", "9999-12-31 10:00"});
        row("every year to the last",
            withEnd(schedule("9998-06-01 10:00", RepeatType::EveryYear), u64Max),
            "9998-06-01 10:00",
            {"9998-06-01 10:00", "9999-06-01 10:00"});
        row("every month to the last",
            withEnd(custom("9999-10-31 10:00", C::Monthes, 1, {31}), u64Max),
            "9999-10-01 10:00",
            {"9999-10-31 10:00", "9999-11-30 10:00", "9999-12-31 10:00"});
        row("every week to the last",
            withEnd(custom("9999-12-20 10:00", C::Weeks, 1, {1}), u64Max),
            "9999-12-20 10:00",
            {"9999-12-20 10:00", "9999-12-27 10:00"});
        row("from 1970 on",
            withEnd(schedule("1970-01-02 10:00", RepeatType::EveryDay), u64Max),
            "2026-01-05 11:00",
            {"2026-01-06 10:00", "2026-01-07 10:00", "2026-01-08 10:00", "2026-01-09 10:00"});

        if (!inBerlin()) {
            return;
        }
        row("spring: 02:30 moves to 03:30",
            schedule("2024-03-29 02:30", RepeatType::EveryDay),
            "2024-03-30 00:00",
            {"2024-03-30 02:30", "2024-03-31 03:30", "2024-04-01 02:30", "2024-04-02 02:30"});
        row("spring: 10:00 stays",
            schedule("2024-03-29 10:00", RepeatType::EveryWeek),
            "2024-03-29 10:00:01",
            {"2024-04-05 10:00", "2024-04-12 10:00", "2024-04-19 10:00", "2024-04-26 10:00"});
        row("autumn: 02:30 at its first coming",
            schedule("2024-10-25 02:30", RepeatType::EveryDay),
            "2024-10-26 00:00",
            {"2024-10-26 02:30", "2024-10-27T02:30:00+02:00", "2024-10-28 02:30", "2024-10-29 02:30"});
        row("autumn: after the first coming",
            schedule("2024-10-25 02:30", RepeatType::EveryDay),
            "2024-10-27T02:30:01+02:00",
            {"2024-10-28 02:30", "2024-10-29 02:30", "2024-10-30 02:30", "2024-10-31 02:30"});
        row("autumn: a start at the second coming",
            schedule("2024-10-27T02:30:00+01:00", RepeatType::EveryDay),
            "2024-10-27 00:00",
            {"2024-10-27T02:30:00+01:00", "2024-10-28 02:30", "2024-10-29 02:30", "2024-10-30 02:30"});
    }

    void schedules()
    {
        QFETCH(ScheduleSettings, rule);
        QFETCH(QDateTime, from);
        QFETCH(QStringList, expected);
        QStringList got;
        for (QDateTime next = Occurrence::firstAtOrAfter(rule, from); next.isValid() && got.size() < 4; next = Occurrence::firstAfter(rule, next)) {
            got << show(next);
        }
        QCOMPARE(got, expected);
    }

    void beyondTheRange()
    {
        ScheduleSettings rule = schedule("2026-01-05 10:00", RepeatType::EveryDay);
        rule.start = u64Max;
        QVERIFY(!Occurrence::firstAtOrAfter(rule, at("2026-01-05 10:00")).isValid());
        rule.start = quint64(Occurrence::lastMSecs) + 1;
        QVERIFY(!Occurrence::firstAtOrAfter(rule, at("2026-01-05 10:00")).isValid());
        QVERIFY(!Occurrence::firstAtOrAfter(schedule("2026-01-05 10:00", RepeatType::EveryDay), QDateTime()).isValid());
    }

    // The first warnings strictly after a moment, as "warning > occurrence".
    void warnings_data()
    {
        QTest::addColumn<ScheduleSettings>("rule");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("onStart");
        const QString mon = QStringLiteral("2026-01-05 10:00");
        const quint64 day = 24 * hour;
        const auto row =
            [](const char *name, const ScheduleSettings &rule, const QString &from, const QList<QPair<QString, QString>> &expected, const QString &onStart) {
                QStringList pairs;
                for (const auto &pair : expected) {
                    pairs << show(at(pair.first)) + QLatin1String(" > ") + show(at(pair.second));
                }
                QTest::newRow(name) << rule << at(from) << pairs << (onStart.isEmpty() ? QStringLiteral("invalid") : show(at(onStart)));
            };

        row("every day, a day before",
            withLead(schedule(mon, RepeatType::EveryDay), day),
            "2026-01-05 09:00",
            {{"2026-01-05 10:00", "2026-01-06 10:00"}, {"2026-01-06 10:00", "2026-01-07 10:00"}},
            mon);
        row("every week, a week before",
            withLead(schedule(mon, RepeatType::EveryWeek), 7 * day),
            "2026-01-05 10:00",
            {{"2026-01-12 10:00", "2026-01-19 10:00"}, {"2026-01-19 10:00", "2026-01-26 10:00"}},
            "2026-01-12 10:00");
        row("Mon and Tue, a day before",
            withLead(custom(mon, RepeatCustomType::Weeks, 1, {1, 2}), day),
            "2026-01-05 09:00",
            {{"2026-01-05 10:00", "2026-01-06 10:00"}, {"2026-01-11 10:00", "2026-01-12 10:00"}},
            mon);
        row("once, five minutes before", withLead(schedule(mon, RepeatType::Never), 5 * minute), "2026-01-05 09:00", {{"2026-01-05 09:55", mon}}, "");
        row("once, started inside the lead", withLead(schedule(mon, RepeatType::Never), 5 * minute), "2026-01-05 09:57", {}, mon);
        row("once, started at its time", withLead(schedule(mon, RepeatType::Never), 5 * minute), mon, {}, "");
        row("lead longer than the period",
            withLead(schedule(mon, RepeatType::EveryDay), 2 * day),
            "2026-01-05 09:00",
            {{"2026-01-05 10:00", "2026-01-07 10:00"}, {"2026-01-06 10:00", "2026-01-08 10:00"}},
            mon);
        row("lead in whole seconds", withLead(schedule(mon, RepeatType::Never), 1999), "2026-01-05 09:00", {{"2026-01-05 09:59:59", mon}}, "");
        row("no lead", schedule(mon, RepeatType::EveryDay), "2026-01-05 09:00", {}, "");
        row("lead under a second", withLead(schedule(mon, RepeatType::EveryDay), 999), "2026-01-05 09:00", {}, "");
        row("the last occurrence's warning",
            withLead(withEnd(schedule(mon, RepeatType::EveryDay), msecs("2026-01-06 10:00")), hour),
            "2026-01-05 09:30",
            {{"2026-01-06 09:00", "2026-01-06 10:00"}},
            mon);
        row("lead of 2^64-1", withLead(schedule(mon, RepeatType::EveryDay), u64Max), "2026-01-05 09:00", {}, mon);
    }

    void warnings()
    {
        QFETCH(ScheduleSettings, rule);
        QFETCH(QDateTime, from);
        QFETCH(QStringList, expected);
        QFETCH(QString, onStart);
        QStringList got;
        for (auto warning = Occurrence::nextWarning(rule, from); warning.isValid() && got.size() < 2; warning = Occurrence::nextWarning(rule, warning.at)) {
            got << show(warning.at) + QLatin1String(" > ") + show(warning.occurrence);
        }
        QCOMPARE(got, expected);
        QCOMPARE(show(Occurrence::warningOnStart(rule, from)), onStart);
    }

    // The first actions strictly after a moment (a window started then).
    void windows_data()
    {
        QTest::addColumn<IntervalSettings>("settings");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char *name, const IntervalSettings &settings, const QString &from, const QStringList &expected) {
            QTest::newRow(name) << settings << at(from) << moments(expected);
        };
        const quint64 dayEnd = 24 * hour;

        row("12:00-13:00 every 5 min",
            window(12 * hour, 13 * hour, 5 * minute),
            "2026-01-05 11:00",
            {"2026-01-05 12:00", "2026-01-05 12:05", "2026-01-05 12:10", "2026-01-05 12:15"});
        row("up to and including the end",
            window(12 * hour, 13 * hour, 5 * minute),
            "2026-01-05 12:50",
            {"2026-01-05 12:55", "2026-01-05 13:00", "2026-01-06 12:00", "2026-01-06 12:05"});
        row("12:00-12:03 started at 11:59:50",
            window(12 * hour, 12 * hour + 3 * minute, 5 * minute),
            "2026-01-05 11:59:50",
            {"2026-01-05 12:00", "2026-01-06 12:00", "2026-01-07 12:00", "2026-01-08 12:00"});
        row("12:00-12:10 started at 11:59:50",
            window(12 * hour, 12 * hour + 10 * minute, 5 * minute),
            "2026-01-05 11:59:50",
            {"2026-01-05 12:00", "2026-01-05 12:05", "2026-01-05 12:10", "2026-01-06 12:00"});
        row("started inside: the next of its times",
            window(12 * hour, 13 * hour, 5 * minute),
            "2026-01-05 12:02:30",
            {"2026-01-05 12:05", "2026-01-05 12:10", "2026-01-05 12:15", "2026-01-05 12:20"});
        row("started on one of its times: not at once",
            window(12 * hour, 13 * hour, 5 * minute),
            "2026-01-05 12:05",
            {"2026-01-05 12:10", "2026-01-05 12:15", "2026-01-05 12:20", "2026-01-05 12:25"});
        row("23:00-01:00 wraps",
            window(23 * hour, hour, 30 * minute),
            "2026-01-05 22:00",
            {"2026-01-05 23:00", "2026-01-05 23:30", "2026-01-06 00:00", "2026-01-06 00:30"});
        row("23:00-01:00 from inside, past midnight",
            window(23 * hour, hour, 30 * minute),
            "2026-01-06 00:40",
            {"2026-01-06 01:00", "2026-01-06 23:00", "2026-01-06 23:30", "2026-01-07 00:00"});
        row("22:00-00:00 until midnight",
            window(22 * hour, 0, hour),
            "2026-01-05 21:00",
            {"2026-01-05 22:00", "2026-01-05 23:00", "2026-01-06 00:00", "2026-01-06 22:00"});
        row("22:00-24:00 the same",
            window(22 * hour, dayEnd, hour),
            "2026-01-05 21:00",
            {"2026-01-05 22:00", "2026-01-05 23:00", "2026-01-06 00:00", "2026-01-06 22:00"});
        row("00:00-00:00 all day, midnight once",
            window(0, 0, 10 * hour),
            "2026-01-05 00:00",
            {"2026-01-05 10:00", "2026-01-05 20:00", "2026-01-06 00:00", "2026-01-06 10:00"});
        row("00:00-00:00 all day, restarting at midnight",
            window(0, 0, 7 * hour),
            "2026-01-05 20:00",
            {"2026-01-05 21:00", "2026-01-06 00:00", "2026-01-06 07:00", "2026-01-06 14:00"});
        row("start equal to end: once a day",
            window(12 * hour, 12 * hour, 5 * minute),
            "2026-01-05 11:00",
            {"2026-01-05 12:00", "2026-01-06 12:00", "2026-01-07 12:00", "2026-01-08 12:00"});
        row("milliseconds are dropped",
            window(12 * hour + 500, 12 * hour + 1999, 1500),
            "2026-01-05 11:00",
            {"2026-01-05 12:00", "2026-01-05 12:00:01", "2026-01-06 12:00", "2026-01-06 12:00:01"});
        row("regularity 0 is a second",
            window(12 * hour, 12 * hour + 2000, 0),
            "2026-01-05 11:00",
            {"2026-01-05 12:00", "2026-01-05 12:00:01", "2026-01-05 12:00:02", "2026-01-06 12:00"});

        // Any value the JSON form can carry.
        const qint64 i64Min = std::numeric_limits<qint64>::min();
        const qint64 i64Max = std::numeric_limits<qint64>::max();
        row("regularity INT64_MIN",
            window(12 * hour, 12 * hour + 1000, i64Min),
            "2026-01-05 11:00",
            {"2026-01-05 12:00", "2026-01-05 12:00:01", "2026-01-06 12:00", "2026-01-06 12:00:01"});
        row("regularity INT64_MAX",
            window(12 * hour, 13 * hour, i64Max),
            "2026-01-05 11:00",
            {"2026-01-05 12:00", "2026-01-06 12:00", "2026-01-07 12:00", "2026-01-08 12:00"});
        row("start at 24:00 never acts", window(dayEnd, 0, minute), "2026-01-05 11:00", {});
        row("end after 24:00 never acts", window(0, dayEnd + 1, minute), "2026-01-05 11:00", {});
        row("ends of 2^64-1 never act", window(u64Max, u64Max, minute), "2026-01-05 11:00", {});

        if (!inBerlin()) {
            return;
        }
        // Real time from the opening: an hour shorter, an hour longer.
        row("spring day",
            window(hour, 4 * hour, 30 * minute),
            "2024-03-31 01:40",
            {"2024-03-31 03:00", "2024-03-31 03:30", "2024-03-31 04:00", "2024-04-01 01:00"});
        row("autumn day",
            window(hour, 4 * hour, 30 * minute),
            "2024-10-27 01:40",
            {"2024-10-27T02:00:00+02:00", "2024-10-27T02:30:00+02:00", "2024-10-27T02:00:00+01:00", "2024-10-27T02:30:00+01:00"});
        row("opening in the gap",
            window(2 * hour + 30 * minute, 3 * hour, 10 * minute),
            "2024-03-31 00:00",
            {"2024-03-31 03:30", "2024-04-01 02:30", "2024-04-01 02:40", "2024-04-01 02:50"});
    }

    void windows()
    {
        QFETCH(IntervalSettings, settings);
        QFETCH(QDateTime, from);
        QFETCH(QStringList, expected);
        QStringList got;
        for (QDateTime next = Occurrence::firstAfter(settings, from); next.isValid() && got.size() < 4; next = Occurrence::firstAfter(settings, next)) {
            got << show(next);
        }
        QCOMPARE(got, expected);
    }

    void nextAction()
    {
        Preset preset(QJsonObject{
            {"preset_type", PresetType::Range}, {"interval", QJsonObject{{"start", double(12 * hour)}, {"end", double(13 * hour)}, {"regularity", 300000}}}});
        QCOMPARE(show(Occurrence::nextAction(preset, at("2026-01-05 12:05"))), show(at("2026-01-05 12:05")));
        preset = Preset(QJsonObject{{"preset_type", PresetType::Timer}});
        QVERIFY(!Occurrence::nextAction(preset, at("2026-01-05 12:05")).isValid());
    }
};

ZEL_TEST_MAIN(OccurrenceTest)

#include "occurrencetest.moc"
