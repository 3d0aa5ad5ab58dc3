// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// What the command line reads, builds and names, from a fixed now (Monday
// 5 January 2026, 18:48:30), in Europe/Berlin (which changes its clock) and
// in UTC.

#include "parse.h"
#include "actionscommand.h"
#include "newpreset.h"
#include "occurrence.h"
#include "presetid.h"
#include "zeltest.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <ctime>

namespace
{
QDateTime at(const char *text)
{
    const QDateTime result = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Q_ASSERT_X(result.isValid(), "at", text);
    return result;
}

const char *const now = "2026-01-05 18:48:30";

using Selected = QList<int>;

Selected listOf(const std::set<qint32> &values)
{
    return Selected(values.begin(), values.end());
}
} // namespace

Q_DECLARE_METATYPE(NewPreset::Request)

class ParseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZelTest::useTestTimeZone(); }

    void actions()
    {
        const QList<qint32> types{ActionType::Shutdown,
            ActionType::Reboot,
            ActionType::Sleep,
            ActionType::Hibernation,
            ActionType::NewSession,
            ActionType::NewSessionNewWindow,
            ActionType::Lock,
            ActionType::EndSession,
            ActionType::TurnOn};
        QCOMPARE(Parse::actionNames().size(), types.size());
        for (int i = 0; i < types.size(); ++i) {
            QCOMPARE(*Parse::action(Parse::actionNames().at(i)), types.at(i));
        }
        for (const char *wrong : {"Shutdown", "turnon", "", "shutdown "}) {
            QVERIFY(Parse::action(QString::fromLatin1(wrong)).error().contains(QLatin1String("is not an action")));
        }
        for (const QString &name : Parse::actionNames()) {
            QCOMPARE(Parse::actionName(*Parse::action(name)), name);
        }
        QCOMPARE(Parse::actionName(-2), QString());
    }

    // The rows of "actions" from the service's report: the route, a password
    // needed, the reason when not available; unknown numbers left out.
    void actionRows()
    {
        const QJsonArray report = QJsonDocument::fromJson(R"([
            {"action_type": 2, "available": true, "route": "logind", "can": "challenge"},
            {"action_type": 3, "available": true, "route": "zel-wm", "can": "na"},
            {"action_type": 0, "available": true, "route": "logind", "can": "yes"},
            {"action_type": 5, "available": false, "route": "", "reason": "not available on this desktop"},
            {"action_type": 42, "available": true, "route": "somewhere"},
            {"action_type": 6, "available": true, "route": "GNOME screen saver"}])")
                                      .array();
        const QVector<QStringList> expected{{"ACTION", "AVAILABLE", "HOW"},
            {"sleep", "yes", "logind, asks for a password"},
            {"hibernate", "yes", "zel-wm (the login manager says this machine cannot)"},
            {"shutdown", "yes", "logind"},
            {"new-session", "no", "not available on this desktop"},
            {"lock", "yes", "GNOME screen saver"}};
        QCOMPARE(ActionsCommand::rows(report), expected);
    }

    void durations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("msecs"); // -1: refused
        QTest::newRow("seconds") << "90s" << qint64(90000);
        QTest::newRow("minutes") << "10m" << qint64(600000);
        QTest::newRow("hours and minutes") << "1h30m" << qint64(5400000);
        QTest::newRow("days and hours") << "1d12h" << qint64(129600000);
        QTest::newRow("every unit") << "1d1h1m1s" << qint64(90061000);
        QTest::newRow("zero") << "0s" << qint64(0);
        QTest::newRow("a year") << "365d" << Parse::maximumDuration;
        QTest::newRow("over a year") << "365d1s" << qint64(-1);
        QTest::newRow("huge count") << "99999999999999999999m" << qint64(-1);
        QTest::newRow("no unit") << "10" << qint64(-1);
        QTest::newRow("unknown unit") << "10x" << qint64(-1);
        QTest::newRow("units out of order") << "30m1h" << qint64(-1);
        QTest::newRow("unit twice") << "1h1h" << qint64(-1);
        QTest::newRow("negative") << "-5m" << qint64(-1);
        QTest::newRow("upper case") << "10M" << qint64(-1);
        QTest::newRow("blank inside") << "1h 30m" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
    }

    void durations()
    {
        QFETCH(QString, text);
        QFETCH(qint64, msecs);
        const Result<qint64> result = Parse::duration(text);
        if (msecs < 0) {
            QVERIFY(!result.ok());
            QVERIFY(result.error().contains(text));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(*result, msecs);
    }

    void moments_data()
    {
        QTest::addColumn<QDateTime>("earliest");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected"); // invalid: refused
        QTest::newRow("later today") << at(now) << "23:00" << at("2026-01-05 23:00:00");
        QTest::newRow("single-digit hour") << at(now) << "8:05" << at("2026-01-06 08:05:00");
        QTest::newRow("this minute has begun") << at(now) << "18:48" << at("2026-01-06 18:48:00");
        QTest::newRow("next minute") << at(now) << "18:49" << at("2026-01-05 18:49:00");
        QTest::newRow("at the earliest itself") << at("2026-01-05 22:00:00") << "22:00" << at("2026-01-05 22:00:00");
        QTest::newRow("midnight") << at(now) << "00:00" << at("2026-01-06 00:00:00");
        QTest::newRow("full date") << at(now) << "2027-01-15 08:00" << at("2027-01-15 08:00:00");
        QTest::newRow("full date with T") << at(now) << "2027-01-15T08:00" << at("2027-01-15 08:00:00");
        QTest::newRow("full date in the past") << at(now) << "2020-02-29 07:30" << at("2020-02-29 07:30:00");
        QTest::newRow("hour 24") << at(now) << "24:00" << QDateTime();
        QTest::newRow("minute 60") << at(now) << "23:60" << QDateTime();
        QTest::newRow("no such day") << at(now) << "2027-02-29 08:00" << QDateTime();
        QTest::newRow("short date") << at(now) << "2027-1-5 08:00" << QDateTime();
        QTest::newRow("date alone") << at(now) << "2027-01-15" << QDateTime();
        QTest::newRow("seconds") << at(now) << "23:00:30" << QDateTime();
        QTest::newRow("a word") << at(now) << "tomorrow" << QDateTime();
        if (qgetenv("TZ") == "Europe/Berlin") {
            // 02:30 does not exist on the day the clock is set forward.
            QTest::newRow("skipped by the clock") << at("2024-03-31 01:00:00") << "02:30" << at("2024-03-31 03:30:00");
        }
    }

    void moments()
    {
        QFETCH(QDateTime, earliest);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const Result<QDateTime> result = Parse::moment(text, earliest);
        if (!expected.isValid()) {
            QVERIFY(!result.ok());
            QVERIFY(result.error().contains(text));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(*result, expected);
    }

    void rules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("on");
        QTest::addColumn<int>("type"); // -1: refused
        QTest::addColumn<int>("customType");
        QTest::addColumn<int>("count");
        QTest::addColumn<Selected>("selected");
        using R = RepeatType;
        using C = RepeatCustomType;
        QTest::newRow("never") << "never"
                               << "" << int(R::Never) << int(C::Days) << 1 << Selected();
        QTest::newRow("daily") << "daily"
                               << "" << int(R::EveryDay) << int(C::Days) << 1 << Selected();
        QTest::newRow("weekly") << "weekly"
                                << "" << int(R::EveryWeek) << int(C::Days) << 1 << Selected();
        QTest::newRow("monthly") << "monthly"
                                 << "" << int(R::EveryMonth) << int(C::Days) << 1 << Selected();
        QTest::newRow("yearly") << "Yearly"
                                << "" << int(R::EveryYear) << int(C::Days) << 1 << Selected();
        QTest::newRow("weekly on days") << "weekly"
                                        << "mon,FRI" << int(R::Custom) << int(C::Weeks) << 1 << Selected{1, 5};
        QTest::newRow("monthly on days") << "monthly"
                                         << "15,1,15" << int(R::Custom) << int(C::Monthes) << 1 << Selected{1, 15};
        QTest::newRow("every 3 days") << "every 3 days"
                                      << "" << int(R::Custom) << int(C::Days) << 3 << Selected();
        QTest::newRow("every week") << "every week"
                                    << "" << int(R::Custom) << int(C::Weeks) << 1 << Selected();
        QTest::newRow("every 2 weeks on working days") << "every  2 weeks"
                                                       << "mon-fri" << int(R::Custom) << int(C::Weeks) << 2 << Selected{1, 2, 3, 4, 5};
        QTest::newRow("long weekday names") << "every 1 week"
                                            << "saturday,sunday" << int(R::Custom) << int(C::Weeks) << 1 << Selected{6, 7};
        QTest::newRow("every 12 months, days and ranges") << "every 12 months"
                                                          << "1-3,31" << int(R::Custom) << int(C::Monthes) << 12 << Selected{1, 2, 3, 31};
        QTest::newRow("every 365 days") << "every 365 days"
                                        << "" << int(R::Custom) << int(C::Days) << 365 << Selected();
        const int refused = -1;
        QTest::newRow("unknown rule") << "fortnightly"
                                      << "" << refused << 0 << 0 << Selected();
        QTest::newRow("every 0 days") << "every 0 days"
                                      << "" << refused << 0 << 0 << Selected();
        QTest::newRow("every 53 weeks") << "every 53 weeks"
                                        << "" << refused << 0 << 0 << Selected();
        QTest::newRow("every 13 months") << "every 13 months"
                                         << "" << refused << 0 << 0 << Selected();
        QTest::newRow("every -2 days") << "every -2 days"
                                       << "" << refused << 0 << 0 << Selected();
        QTest::newRow("days chosen for daily") << "daily"
                                               << "mon" << refused << 0 << 0 << Selected();
        QTest::newRow("days chosen for never") << "never"
                                               << "1" << refused << 0 << 0 << Selected();
        QTest::newRow("days chosen for every 2 days") << "every 2 days"
                                                      << "1" << refused << 0 << 0 << Selected();
        QTest::newRow("no such weekday") << "weekly"
                                         << "funday" << refused << 0 << 0 << Selected();
        QTest::newRow("a number for a weekday") << "weekly"
                                                << "1" << refused << 0 << 0 << Selected();
        QTest::newRow("a weekday for a day") << "monthly"
                                             << "mon" << refused << 0 << 0 << Selected();
        QTest::newRow("day 32") << "monthly"
                                << "32" << refused << 0 << 0 << Selected();
        QTest::newRow("day 0") << "monthly"
                               << "0" << refused << 0 << 0 << Selected();
        QTest::newRow("backward range") << "weekly"
                                        << "fri-mon" << refused << 0 << 0 << Selected();
        QTest::newRow("empty item") << "monthly"
                                    << "1,,2" << refused << 0 << 0 << Selected();
    }

    void rules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, on);
        QFETCH(int, type);
        QFETCH(int, customType);
        QFETCH(int, count);
        QFETCH(Selected, selected);
        const Result<RepeatSettings> result = Parse::repeat(rule, on);
        if (type < 0) {
            QVERIFY(!result.ok());
            QVERIFY(!result.error().isEmpty());
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(result->type, type);
        QCOMPARE(result->customType, customType);
        QCOMPARE(result->count, count);
        QCOMPARE(listOf(result->selected), selected);
    }

    void windows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("start"); // -1: refused
        QTest::addColumn<qint64>("end");
        constexpr qint64 hour = 3600000;
        QTest::newRow("midday") << "12:00-13:00" << 12 * hour << 13 * hour;
        QTest::newRow("blanks") << "12:00 - 13:30" << 12 * hour << 13 * hour + hour / 2;
        QTest::newRow("across midnight") << "23:00-01:00" << 23 * hour << 1 * hour;
        QTest::newRow("whole day") << "00:00-24:00" << qint64(0) << 24 * hour;
        QTest::newRow("start equal to end") << "12:00-12:00" << 12 * hour << 12 * hour;
        QTest::newRow("start at 24:00") << "24:00-01:00" << qint64(-1) << qint64(0);
        QTest::newRow("end after 24:00") << "12:00-24:30" << qint64(-1) << qint64(0);
        QTest::newRow("one time") << "12:00" << qint64(-1) << qint64(0);
        QTest::newRow("hours only") << "12-13" << qint64(-1) << qint64(0);
        QTest::newRow("three times") << "12:00-13:00-14:00" << qint64(-1) << qint64(0);
    }

    void windows()
    {
        QFETCH(QString, text);
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        const auto result = Parse::window(text);
        if (start < 0) {
            QVERIFY(!result.ok());
            QVERIFY(result.error().contains(text));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(qint64(result->first), start);
        QCOMPARE(qint64(result->second), end);
    }

    void refusals_data()
    {
        QTest::addColumn<NewPreset::Request>("request");
        QTest::addColumn<QString>("reason");
        NewPreset::Request timer;
        timer.kind = PresetType::Timer;
        timer.countdown = 0;
        QTest::newRow("countdown of zero") << timer << "countdown of zero";
        timer.countdown = 300000;
        timer.warning = 300000;
        QTest::newRow("warning as long as the countdown") << timer << "Choose a shorter one";
        timer.warning = 400000;
        QTest::newRow("warning longer than the countdown") << timer << "Choose a shorter one";

        NewPreset::Request schedule;
        schedule.kind = PresetType::Scheduled;
        schedule.start = at("2026-01-06 08:00:00");
        schedule.end = at("2026-01-06 07:59:00");
        schedule.repeat.type = RepeatType::EveryDay;
        QTest::newRow("end before the start") << schedule << "end is before the start";
        schedule.start = at("2026-01-05 18:48:00");
        schedule.end = QDateTime();
        schedule.repeat.type = RepeatType::Never;
        QTest::newRow("once, in the past") << schedule << "would never act";
        schedule.start = at("2025-12-01 08:00:00");
        schedule.end = at("2026-01-05 08:00:00");
        schedule.repeat.type = RepeatType::EveryDay;
        QTest::newRow("daily, ended this morning") << schedule << "would never act";

        NewPreset::Request window;
        window.kind = PresetType::Range;
        window.windowStart = window.windowEnd = 12 * 3600000;
        window.period = 60000;
        QTest::newRow("window that ends where it starts") << window << "starts when it ends";
    }

    void refusals()
    {
        QFETCH(NewPreset::Request, request);
        QFETCH(QString, reason);
        const Result<QJsonObject> result = NewPreset::build(request, at(now));
        QVERIFY(!result.ok());
        QVERIFY2(result.error().contains(reason), qPrintable(result.error()));
    }

    // A daily window's period: as short as the service acts (a second), as
    // long as a day.
    void periods_data()
    {
        QTest::addColumn<qint64>("period");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("under a second") << qint64(999) << false;
        QTest::newRow("a second") << qint64(1000) << true;
        QTest::newRow("30 seconds") << qint64(30000) << true;
        QTest::newRow("a day") << qint64(24 * 3600000) << true;
        QTest::newRow("over a day") << qint64(24 * 3600000 + 1000) << false;
    }

    void periods()
    {
        QFETCH(qint64, period);
        QFETCH(bool, accepted);
        NewPreset::Request window;
        window.kind = PresetType::Range;
        window.windowEnd = 3600000;
        window.period = period;
        const Result<QJsonObject> result = NewPreset::build(window, at(now));
        QCOMPARE(result.ok(), accepted);
        if (accepted) {
            QCOMPARE(result->value(QLatin1String("interval")).toObject().value(QLatin1String("regularity")).toDouble(), double(period));
        } else {
            QVERIFY2(result.error().contains(QLatin1String("between 1 second and 24 hours")), qPrintable(result.error()));
        }
    }

    // The objects are those the window sends: every key but the id, with the
    // kind's settings object as its editor writes it.
    void objects()
    {
        const QStringList keys{QStringLiteral("action_type"),
            QStringLiteral("interval"),
            QStringLiteral("preset_force"),
            QStringLiteral("preset_name"),
            QStringLiteral("preset_paused"),
            QStringLiteral("preset_running"),
            QStringLiteral("preset_type"),
            QStringLiteral("schedule"),
            QStringLiteral("timer")};

        NewPreset::Request timer;
        timer.action = ActionType::Reboot;
        timer.countdown = 90000;
        timer.warning = 30000;
        QJsonObject object = *NewPreset::build(timer, at(now));
        QCOMPARE(object.keys(), keys);
        QCOMPARE(object.value(QLatin1String("preset_name")).toString(), QStringLiteral("Reboot 0:01:30"));
        QCOMPARE(object.value(QLatin1String("preset_type")).toInt(), int(PresetType::Timer));
        QCOMPARE(object.value(QLatin1String("action_type")).toInt(), int(ActionType::Reboot));
        // The service fills the remaining time from the timeout.
        QCOMPARE(object.value(QLatin1String("timer")).toObject(),
            (QJsonObject{{QStringLiteral("timeout"), 90000}, {QStringLiteral("notify"), 30000}, {QStringLiteral("remainingTime"), 0}}));

        NewPreset::Request schedule;
        schedule.kind = PresetType::Scheduled;
        schedule.name = QStringLiteral("Weekly");
        schedule.start = at("2026-01-05 23:00:00");
        schedule.repeat = *Parse::repeat(QStringLiteral("every 2 weeks"), QStringLiteral("mon,fri"));
        schedule.warning = 600000;
        object = *NewPreset::build(schedule, at(now));
        QCOMPARE(object.keys(), keys);
        QCOMPARE(object.value(QLatin1String("preset_name")).toString(), QStringLiteral("Weekly"));
        const QJsonObject settings = object.value(QLatin1String("schedule")).toObject();
        QCOMPARE(settings.value(QLatin1String("start")).toDouble(), double(schedule.start.toMSecsSinceEpoch()));
        QCOMPARE(settings.value(QLatin1String("end")).toDouble(), double(Occurrence::lastMSecs)); // no end
        QCOMPARE(settings.value(QLatin1String("notify")).toDouble(), 600000.0);
        QCOMPARE(settings.value(QLatin1String("repeat_settings")).toObject(),
            (QJsonObject{{QStringLiteral("repeat_settings_type"), int(RepeatType::Custom)},
                {QStringLiteral("repeat_settings_custom_type"), int(RepeatCustomType::Weeks)},
                {QStringLiteral("repeat_settings_count"), 2},
                {QStringLiteral("repeat_settings_selected"), QJsonArray{1, 5}}}));
        // Once, without an end: it ends where it starts.
        schedule.repeat = RepeatSettings();
        schedule.name.clear();
        object = *NewPreset::build(schedule, at(now));
        QCOMPARE(object.value(QLatin1String("schedule")).toObject().value(QLatin1String("end")).toDouble(), double(schedule.start.toMSecsSinceEpoch()));
        QCOMPARE(object.value(QLatin1String("preset_name")).toString(), QStringLiteral("Shut Down 05.01.26 23:00"));

        NewPreset::Request window;
        window.kind = PresetType::Range;
        window.action = ActionType::Lock;
        window.windowStart = 23 * 3600000;
        window.windowEnd = 24 * 3600000;
        window.period = 300000;
        object = *NewPreset::build(window, at(now));
        QCOMPARE(object.value(QLatin1String("preset_name")).toString(), QStringLiteral("Lock 23:00 - 00:00"));
        QCOMPARE(object.value(QLatin1String("interval")).toObject(),
            (QJsonObject{{QStringLiteral("start"), 23 * 3600000}, {QStringLiteral("end"), 24 * 3600000}, {QStringLiteral("regularity"), 300000}}));
        QVERIFY(object.value(QLatin1String("interval")).toObject().value(QLatin1String("regularity")).toVariant().type() != QVariant::Double);
    }

    void names_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("index"); // -1: none, -2: several
        QTest::newRow("full id") << "{0f8fad5b-d9cb-469f-a165-70867728950e}" << 0;
        QTest::newRow("full id, bare and upper case") << "0F8FAD5B-D9CB-469F-A165-70867728950E" << 0;
        QTest::newRow("short id") << "0f8fad5b" << 0;
        QTest::newRow("prefix with brace, upper case") << "{0F8FA" << 0;
        QTest::newRow("prefix across a dash") << "7c2e0000-1" << 2;
        QTest::newRow("name") << "Nightly reboot" << 1;
        QTest::newRow("name with other case") << "nightly reboot" << -1;
        QTest::newRow("unknown full id") << "{0f8fad5b-d9cb-469f-a165-000000000000}" << -1;
        QTest::newRow("nothing") << "" << -1;
        QTest::newRow("shared prefix and a name") << "0f8f" << -2;
        QTest::newRow("shared name") << "Lunch" << -2;
    }

    void names()
    {
        QFETCH(QString, given);
        QFETCH(int, index);
        auto preset = [](const char *id, const char *name) {
            return Preset(QJsonObject{{QStringLiteral("preset_id"), QString::fromLatin1(id)}, {QStringLiteral("preset_name"), QString::fromLatin1(name)}});
        };
        const QVector<Preset> presets{preset("{0f8fad5b-d9cb-469f-a165-70867728950e}", "Lunch"),
            preset("{0f8f1111-0000-4000-8000-000000000001}", "Nightly reboot"),
            preset("{7c2e0000-1000-4000-8000-000000000002}", "0f8f"),
            preset("{9a000000-1000-4000-8000-000000000003}", "Lunch")};
        const Result<int> result = PresetId::resolve(given, presets);
        if (index >= 0) {
            QVERIFY2(result.ok(), qPrintable(result.error()));
            QCOMPARE(*result, index);
        } else if (index == -1) {
            QVERIFY(!result.ok());
            QVERIFY(result.error().startsWith(QLatin1String("No preset matches")));
        } else {
            QVERIFY(!result.ok());
            // Every candidate is listed by its full id.
            int listed = 0;
            for (const Preset &candidate : presets) {
                listed += result.error().contains(candidate.id().toString());
            }
            QCOMPARE(listed, result.error().count(QLatin1Char('\n')));
            QVERIFY(listed >= 2);
        }
    }

    void shortIdsAndPrintableNames()
    {
        QCOMPARE(PresetId::shortId(QUuid(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"))), QStringLiteral("0f8fad5b"));
        QCOMPARE(PresetId::printable(QStringLiteral("a\nb\x1b[2Jc\td")), QStringLiteral("a b [2Jc d"));
    }
};

ZEL_TEST_MAIN(ParseTest)

#include "parsetest.moc"
