// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The texts the window and the command line show, in British English, from
// a fixed now (Monday 5 January 2026, 18:48) and on a daylight-saving day.

#include "presettext.h"
#include "zeltest.h"

#include <ctime>
#include <limits>

namespace
{
const QLocale british(QLocale::English, QLocale::UnitedKingdom);
constexpr quint64 minute = 60 * 1000;
constexpr quint64 hour = 60 * minute;

QDateTime at(const char *text)
{
    const QDateTime result = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Q_ASSERT_X(result.isValid(), "at", text);
    return result;
}

const char *const now = "2026-01-05 18:48:00";

ScheduleSettings schedule(const char *start, int type, int customType = RepeatCustomType::Days, int count = 1, std::set<qint32> selected = {})
{
    ScheduleSettings result;
    result.start = quint64(at(start).toMSecsSinceEpoch());
    result.repeat = RepeatSettings{type, customType, count, std::move(selected)};
    return result;
}
} // namespace

Q_DECLARE_METATYPE(ScheduleSettings)
Q_DECLARE_METATYPE(IntervalSettings)

class PresetTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZelTest::useTestTimeZone(); }

    void moments_data()
    {
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("countdownEnd");
        QTest::addColumn<QString>("nextAction");

        QTest::newRow("tonight") << at(now) << at("2026-01-05 22:00:00") << "at 22:00"
                                 << "next: Mon 22:00 · in 3 h 12 min";
        QTest::newRow("whole hours") << at(now) << at("2026-01-05 21:48:59") << "at 21:48"
                                     << "next: Mon 21:48 · in 3 h";
        QTest::newRow("under a minute") << at(now) << at("2026-01-05 18:48:59") << "at 18:48"
                                        << "next: Mon 18:48 · in less than a minute";
        QTest::newRow("due") << at(now) << at(now) << "at 18:48"
                             << "next: Mon 18:48 · now";
        QTest::newRow("minutes") << at(now) << at("2026-01-05 19:00:00") << "at 19:00"
                                 << "next: Mon 19:00 · in 12 min";
        QTest::newRow("tomorrow") << at(now) << at("2026-01-06 07:05:00") << "tomorrow at 07:05"
                                  << "next: Tue 07:05 · in 12 h 17 min";
        QTest::newRow("days and hours") << at(now) << at("2026-01-08 00:00:00") << "on Thu 8 Jan at 00:00"
                                        << "next: Thu 00:00 · in 2 d 5 h";
        QTest::newRow("whole days") << at(now) << at("2026-01-07 18:48:00") << "on Wed 7 Jan at 18:48"
                                    << "next: Wed 18:48 · in 2 d";
        QTest::newRow("over a week") << at(now) << at("2026-01-17 10:00:00") << "on Sat 17 Jan at 10:00"
                                     << "next: Sat 17 Jan 10:00 · in 11 days";
        QTest::newRow("a week from now") << at(now) << at("2026-01-12 18:48:00") << "on Mon 12 Jan at 18:48"
                                         << "next: Mon 12 Jan 18:48 · in 7 days";
        QTest::newRow("next year") << at(now) << at("2027-02-01 09:00:00") << "on Mon 1 Feb 2027 at 09:00"
                                   << "next: Mon 1 Feb 2027 09:00 · in 391 days";
        QTest::newRow("none") << at(now) << QDateTime() << ""
                              << "no further action";
        if (qgetenv("TZ") == "Europe/Berlin") {
            // The clock is set forward at 02:00: three hours on the clock are two.
            QTest::newRow("spring day") << at("2024-03-31 01:00:00") << at("2024-03-31 04:00:00") << "at 04:00"
                                        << "next: Sun 04:00 · in 2 h";
        }
    }

    void moments()
    {
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, moment);
        QFETCH(QString, countdownEnd);
        QFETCH(QString, nextAction);
        QCOMPARE(PresetText::countdownEnd(moment, from, british), countdownEnd);
        QCOMPARE(PresetText::nextAction(moment, from, british), nextAction);
    }

    void clockTimesWithoutSeconds()
    {
        // The C locale's short format carries seconds; no clock time here does.
        QCOMPARE(PresetText::clockTime(QTime(14, 35, 20), QLocale::c()), QStringLiteral("14:35"));
        QCOMPARE(PresetText::clockTime(QTime(14, 35, 20), QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("2:35 PM"));
        QCOMPARE(PresetText::countdownEnd(at("2026-01-05 22:00:30"), at(now), QLocale::c()), QStringLiteral("at 22:00"));
    }

    void repetition_data()
    {
        QTest::addColumn<ScheduleSettings>("settings");
        QTest::addColumn<QString>("expected");
        using C = RepeatCustomType;
        const char *mon = "2026-01-05 10:00:00";
        QTest::newRow("never") << schedule(mon, RepeatType::Never) << "once";
        QTest::newRow("every day") << schedule(mon, RepeatType::EveryDay) << "daily";
        QTest::newRow("every week") << schedule(mon, RepeatType::EveryWeek) << "weekly on Monday";
        QTest::newRow("every month") << schedule(mon, RepeatType::EveryMonth) << "monthly on the 5th";
        QTest::newRow("every month from the 31st") << schedule("2026-01-31 10:00:00", RepeatType::EveryMonth)
                                                   << "monthly on the 31st (the last day in shorter months)";
        QTest::newRow("every year") << schedule("2026-03-05 10:00:00", RepeatType::EveryYear) << "yearly on 5 March";
        QTest::newRow("every year from 29 February") << schedule("2024-02-29 10:00:00", RepeatType::EveryYear)
                                                     << "yearly on 29 February (28 February in other years)";
        QTest::newRow("undefined") << schedule(mon, RepeatType::Undefined) << "daily";
        QTest::newRow("every day, custom") << schedule(mon, RepeatType::Custom, C::Days, 1) << "daily";
        QTest::newRow("every 3 days") << schedule(mon, RepeatType::Custom, C::Days, 3) << "every 3 days";
        QTest::newRow("every 2 weeks") << schedule(mon, RepeatType::Custom, C::Weeks, 2) << "every 2 weeks on Monday";
        QTest::newRow("weekly on days") << schedule(mon, RepeatType::Custom, C::Weeks, 1, {1, 3, 5}) << "weekly on Mon, Wed and Fri";
        QTest::newRow("every 2 weeks on a day") << schedule(mon, RepeatType::Custom, C::Weeks, 2, {3, 9}) << "every 2 weeks on Wednesday";
        QTest::newRow("monthly on days") << schedule(mon, RepeatType::Custom, C::Monthes, 1, {1, 15}) << "monthly on the 1st and 15th";
        QTest::newRow("every 2 months on days") << schedule(mon, RepeatType::Custom, C::Monthes, 2, {1, 22, 30})
                                                << "every 2 months on the 1st, 22nd and 30th (the last day in shorter months)";
        QTest::newRow("every 3 months") << schedule(mon, RepeatType::Custom, C::Monthes, 3) << "every 3 months on the 5th";
        QTest::newRow("count below 1") << schedule(mon, RepeatType::Custom, C::Days, -4) << "daily";
        ScheduleSettings extreme = schedule(mon,
            RepeatType::Custom,
            C::Monthes,
            std::numeric_limits<qint32>::max(),
            {std::numeric_limits<qint32>::min(), 31, std::numeric_limits<qint32>::max()});
        extreme.start = std::numeric_limits<quint64>::max();
        QTest::newRow("extreme values") << extreme << "every 2147483647 months on the 31st (the last day in shorter months)";
    }

    void repetition()
    {
        QFETCH(ScheduleSettings, settings);
        QFETCH(QString, expected);
        QCOMPARE(PresetText::repetition(settings, british), expected);
    }

    void window_data()
    {
        QTest::addColumn<IntervalSettings>("settings");
        QTest::addColumn<QString>("expected");
        QTest::newRow("within the day") << IntervalSettings{12 * hour, 13 * hour, qint64(5 * minute)} << "every 5 minutes between 12:00 and 13:00";
        QTest::newRow("across midnight") << IntervalSettings{23 * hour, hour, qint64(minute)} << "every minute from 23:00 until 01:00 the next day";
        QTest::newRow("until midnight") << IntervalSettings{22 * hour, 0, qint64(10 * minute)} << "every 10 minutes from 22:00 until midnight";
        QTest::newRow("all day") << IntervalSettings{0, 0, qint64(2 * hour)} << "every 2 hours, all day";
        QTest::newRow("once") << IntervalSettings{12 * hour, 12 * hour, qint64(minute)} << "daily at 12:00";
        QTest::newRow("seconds") << IntervalSettings{12 * hour, 13 * hour, 0} << "every second between 12:00 and 13:00";
        QTest::newRow("90 seconds") << IntervalSettings{12 * hour, 13 * hour, 90000} << "every 90 seconds between 12:00 and 13:00";
        QTest::newRow("an hour") << IntervalSettings{12 * hour, 13 * hour, qint64(hour)} << "every hour between 12:00 and 13:00";
        QTest::newRow("extreme regularity") << IntervalSettings{0, 0, std::numeric_limits<qint64>::min()} << "every second, all day";
        QTest::newRow("outside the day") << IntervalSettings{25 * hour, 13 * hour, qint64(minute)} << "never";
    }

    void window()
    {
        QFETCH(IntervalSettings, settings);
        QFETCH(QString, expected);
        QCOMPARE(PresetText::window(settings, british), expected);
    }

    // The one name the window and the command line give a preset made
    // without one; minutes always with two digits ("1:05", never "1:5").
    void defaultName_data()
    {
        QTest::addColumn<QJsonObject>("preset");
        QTest::addColumn<QString>("name");
        const auto countdown = [](double timeout) {
            return QJsonObject{{"preset_type", PresetType::Timer}, {"action_type", ActionType::Lock}, {"timer", QJsonObject{{"timeout", timeout}}}};
        };
        const auto scheduled = [](const char *start, const QJsonValue &end) {
            return QJsonObject{{"preset_type", PresetType::Scheduled},
                {"action_type", ActionType::Shutdown},
                {"schedule", QJsonObject{{"start", double(at(start).toMSecsSinceEpoch())}, {"end", end}}}};
        };
        const auto window = [](double start, double end) {
            return QJsonObject{
                {"preset_type", PresetType::Range}, {"action_type", ActionType::Reboot}, {"interval", QJsonObject{{"start", start}, {"end", end}}}};
        };
        QTest::newRow("1 h 5 min") << countdown(hour + 5 * minute) << "Lock 1:05";
        QTest::newRow("10 min") << countdown(10 * minute) << "Lock 0:10";
        QTest::newRow("with seconds") << countdown(90000) << "Lock 0:01:30";
        QTest::newRow("a day and more") << countdown(25 * hour) << "Lock 25:00";
        QTest::newRow("zero") << countdown(0) << "Lock 0:00";
        QTest::newRow("schedule with an end") << scheduled("2024-03-05 14:30:00", double(at("2024-03-06 08:00:00").toMSecsSinceEpoch()))
                                              << "Shut Down 05.03.24 14:30 - 06.03.24 08:00";
        QTest::newRow("schedule ending at its start") << scheduled("2026-01-05 23:00:00", double(at("2026-01-05 23:00:00").toMSecsSinceEpoch()))
                                                      << "Shut Down 05.01.26 23:00";
        QTest::newRow("schedule without end") << scheduled("2026-01-05 23:00:00", 253402300799000.0) << "Shut Down 05.01.26 23:00";
        QTest::newRow("window") << window(12 * hour, 13 * hour + 30 * minute) << "Reboot 12:00 - 13:30";
        QTest::newRow("window until midnight") << window(23 * hour, 24 * hour) << "Reboot 23:00 - 00:00";
        QTest::newRow("unknown kind") << QJsonObject{{"preset_type", 7}, {"action_type", ActionType::Lock}} << "Lock";
    }

    void defaultName()
    {
        QFETCH(QJsonObject, preset);
        QFETCH(QString, name);
        QCOMPARE(PresetText::defaultName(Preset(preset)), name);
    }
};

ZEL_TEST_MAIN(PresetTextTest)

#include "presettexttest.moc"
