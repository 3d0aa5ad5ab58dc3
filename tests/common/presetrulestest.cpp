// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The one rule of presets that could never act, which the window, the
// command line and the service all go by, from a fixed now (Monday
// 5 January 2026, 18:48).

#include "presetrules.h"
#include "zeltest.h"

#include <QJsonArray>

namespace
{
constexpr double minute = 60 * 1000;
constexpr double hour = 60 * minute;

QDateTime at(const char *text)
{
    const QDateTime result = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
    Q_ASSERT_X(result.isValid(), "at", text);
    return result;
}

double msecs(const char *text)
{
    return double(at(text).toMSecsSinceEpoch());
}

QJsonObject countdown(double timeout, double notify = 0)
{
    return {{"preset_type", PresetType::Timer}, {"timer", QJsonObject{{"timeout", timeout}, {"notify", notify}}}};
}

QJsonObject schedule(const char *start, const char *end, int type = RepeatType::Never, QJsonArray selected = {})
{
    return {{"preset_type", PresetType::Scheduled},
        {"schedule",
            QJsonObject{{"start", msecs(start)},
                {"end", msecs(end)},
                {"repeat_settings",
                    QJsonObject{
                        {"repeat_settings_type", type}, {"repeat_settings_custom_type", RepeatCustomType::Weeks}, {"repeat_settings_selected", selected}}}}}};
}

QJsonObject window(double start, double end, double regularity = minute)
{
    return {{"preset_type", PresetType::Range}, {"interval", QJsonObject{{"start", start}, {"end", end}, {"regularity", regularity}}}};
}
} // namespace

class PresetRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ZelTest::useTestTimeZone(); }

    void whyNeverActs_data()
    {
        QTest::addColumn<QJsonObject>("preset");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("reason"); // a part of it; empty: none
        QTest::addColumn<bool>("byWarning");
        const QDateTime now = at("2026-01-05 18:48");
        const QDateTime epoch = QDateTime::fromMSecsSinceEpoch(0);

        QTest::newRow("countdown of zero") << countdown(0) << now << "countdown of zero" << false;
        QTest::newRow("countdown under a second") << countdown(999) << now << "countdown of zero" << false;
        QTest::newRow("countdown of a second") << countdown(1000) << now << "" << false;
        QTest::newRow("warning as long as the countdown") << countdown(10 * minute, 10 * minute) << now << "shorter one" << true;
        QTest::newRow("warning shorter than the countdown") << countdown(10 * minute, 5 * minute) << now << "" << false;
        QTest::newRow("zero countdown with a warning") << countdown(0, minute) << now << "countdown of zero" << false;

        QTest::newRow("end before the start") << schedule("2026-02-01 08:00", "2026-01-31 08:00") << now << "end is before the start" << false;
        QTest::newRow("once, ahead") << schedule("2026-02-01 08:00", "2026-02-01 08:00") << now << "" << false;
        QTest::newRow("once, passed") << schedule("2026-01-05 18:00", "2026-01-05 18:00") << now << "none of its occurrences lies ahead" << false;
        QTest::newRow("once, passed, settings alone") << schedule("2026-01-05 18:00", "2026-01-05 18:00") << epoch << "" << false;
        QTest::newRow("daily, ended") << schedule("2025-12-01 08:00", "2026-01-05 08:00", RepeatType::EveryDay) << now << "lies ahead" << false;
        QTest::newRow("daily, running on") << schedule("2025-12-01 08:00", "2026-02-01 08:00", RepeatType::EveryDay) << now << "" << false;
        // Friday is selected; the schedule ends on the Wednesday before.
        QTest::newRow("selected days outside the run")
            << schedule("2026-01-12 08:00", "2026-01-14 09:00", RepeatType::Custom, {5}) << epoch << "lies ahead" << false;

        QTest::newRow("window within the day") << window(12 * hour, 13 * hour) << now << "" << false;
        QTest::newRow("window that starts when it ends") << window(12 * hour, 12 * hour) << now << "starts when it ends" << false;
        QTest::newRow("the same second") << window(12 * hour, 12 * hour + 999) << now << "starts when it ends" << false;
        QTest::newRow("00:00 to 00:00 is the whole day") << window(0, 0) << now << "" << false;
        QTest::newRow("00:00 to 24:00 is the whole day") << window(0, 24 * hour) << now << "" << false;
        QTest::newRow("start at 24:00") << window(24 * hour, hour) << now << "within the day" << false;
        QTest::newRow("end after 24:00") << window(hour, 24 * hour + 1000) << now << "within the day" << false;
        // Brought up to the shortest period the service acts by.
        QTest::newRow("period of zero") << window(12 * hour, 13 * hour, 0) << now << "" << false;

        QTest::newRow("unknown kind") << QJsonObject{{"preset_type", 9}} << now << "" << false;
    }

    void whyNeverActs()
    {
        QFETCH(QJsonObject, preset);
        QFETCH(QDateTime, now);
        QFETCH(QString, reason);
        QFETCH(bool, byWarning);
        const PresetRules::NeverActs never = PresetRules::whyNeverActs(Preset(preset), now);
        QCOMPARE(never.isEmpty(), reason.isEmpty());
        QVERIFY2(never.reason.contains(reason), qPrintable(never.reason));
        QCOMPARE(never.byWarning, byWarning);
    }
};

ZEL_TEST_MAIN(PresetRulesTest)

#include "presetrulestest.moc"
