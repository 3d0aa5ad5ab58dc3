// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// When the machine must wake for the Turn On schedules: the earliest coming
// occurrence of the running ones, whatever else is stored.

#include "wakealarm.h"
#include "occurrence.h"
#include "zeltest.h"

#include <QJsonArray>

namespace
{
// A Friday evening.
const QDateTime now(QDate(2026, 3, 13), QTime(19, 30, 0));

// "on", "paused" or "off"; repeat: a RepeatType, weekdays for Custom weeks.
Preset::Ptr turnOn(const QDateTime &start,
    int repeat,
    const char *state = "on",
    const QDateTime &end = QDateTime(),
    int action = ActionType::TurnOn,
    int kind = PresetType::Scheduled,
    const QJsonArray &weekdays = {})
{
    const QDateTime last = end.isValid() ? end : QDateTime::fromMSecsSinceEpoch(Occurrence::lastMSecs);
    return Preset::make(QJsonObject{
        {"preset_id", QUuid::createUuid().toString()},
        {"preset_type", kind},
        {"action_type", action},
        {"preset_running", QLatin1String(state) == QLatin1String("on")},
        {"preset_paused", QLatin1String(state) == QLatin1String("paused")},
        {"timer", QJsonObject{{"timeout", 60000}}},
        {"schedule",
            QJsonObject{{"start", double(start.toMSecsSinceEpoch())},
                {"end", double(last.toMSecsSinceEpoch())},
                {"repeat_settings",
                    QJsonObject{{"repeat_settings_type", repeat},
                        {"repeat_settings_custom_type", RepeatCustomType::Weeks},
                        {"repeat_settings_count", 1},
                        {"repeat_settings_selected", weekdays}}}}},
    });
}

QDateTime at(int day, int hour, int minute)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute));
}
} // namespace

class WakeAlarmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZelTest::useTestTimeZone(); }

    void due_data()
    {
        QTest::addColumn<QVector<Preset::Ptr>>("presets");
        QTest::addColumn<QDateTime>("expected"); // invalid: no alarm

        const QJsonArray workingDays{1, 2, 3, 4, 5};
        QTest::newRow("nothing stored") << QVector<Preset::Ptr>{} << QDateTime();
        QTest::newRow("once, ahead") << QVector<Preset::Ptr>{turnOn(at(14, 6, 55), RepeatType::Never)} << at(14, 6, 55);
        QTest::newRow("once, passed") << QVector<Preset::Ptr>{turnOn(at(13, 6, 55), RepeatType::Never)} << QDateTime();
        QTest::newRow("due now: the next one") << QVector<Preset::Ptr>{turnOn(at(12, 19, 30), RepeatType::EveryDay)} << at(14, 19, 30);
        QTest::newRow("working days skip the weekend")
            << QVector<Preset::Ptr>{turnOn(at(2, 6, 55), RepeatType::Custom, "on", QDateTime(), ActionType::TurnOn, PresetType::Scheduled, workingDays)}
            << at(16, 6, 55);
        QTest::newRow("paused") << QVector<Preset::Ptr>{turnOn(at(14, 6, 55), RepeatType::EveryDay, "paused")} << QDateTime();
        QTest::newRow("stopped") << QVector<Preset::Ptr>{turnOn(at(14, 6, 55), RepeatType::EveryDay, "off")} << QDateTime();
        QTest::newRow("ended") << QVector<Preset::Ptr>{turnOn(at(1, 6, 55), RepeatType::EveryDay, "on", at(13, 7, 0))} << QDateTime();
        QTest::newRow("ends before the next") << QVector<Preset::Ptr>{turnOn(at(1, 6, 55), RepeatType::EveryDay, "on", at(14, 6, 0))} << QDateTime();
        QTest::newRow("another action") << QVector<Preset::Ptr>{turnOn(at(14, 6, 55), RepeatType::Never, "on", QDateTime(), ActionType::Reboot)} << QDateTime();
        QTest::newRow("a countdown of an older client")
            << QVector<Preset::Ptr>{turnOn(at(14, 6, 55), RepeatType::Never, "on", QDateTime(), ActionType::TurnOn, PresetType::Timer)} << QDateTime();
        QTest::newRow("several: the earliest running") << QVector<Preset::Ptr>{turnOn(at(1, 8, 0), RepeatType::EveryWeek),
                                                              turnOn(at(13, 21, 0), RepeatType::Never, "paused"),
                                                              turnOn(at(14, 9, 0), RepeatType::Never, "on", QDateTime(), ActionType::Shutdown),
                                                              turnOn(at(14, 7, 0), RepeatType::EveryDay),
                                                              turnOn(at(1, 6, 0), RepeatType::EveryDay, "off")}
                                                       << at(14, 7, 0);
    }

    void due()
    {
        QFETCH(QVector<Preset::Ptr>, presets);
        QFETCH(QDateTime, expected);
        QCOMPARE(WakeAlarm::due(presets, now), expected);
    }

    void wokenFor()
    {
        const QDateTime occurrence = at(16, 6, 55);
        QVERIFY(WakeAlarm::wokenFor(occurrence.addSecs(-1), occurrence)); // the clock counts whole seconds
        QVERIFY(WakeAlarm::wokenFor(occurrence.addSecs(4), occurrence)); // logind tells late
        QVERIFY(!WakeAlarm::wokenFor(occurrence.addSecs(-600), occurrence));
        QVERIFY(!WakeAlarm::wokenFor(occurrence.addSecs(45), occurrence));
        QVERIFY(!WakeAlarm::wokenFor(QDateTime(), occurrence));
    }
};

ZEL_TEST_MAIN(WakeAlarmTest)

#include "wakealarmtest.moc"
