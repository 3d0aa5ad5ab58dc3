// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The JSON form of a preset, built twice: for the service and, with
// ZEL_CLIENT, for the client. The two differ only where noted.

#include "jsonnumbers.h"
#include "preset.h"
#include "zeltest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace
{
QJsonObject parse(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

QJsonObject roundTrip(const QJsonObject &object)
{
    return Preset(object).toJsonObject();
}

QJsonObject timerWith(const QJsonValue &timeout)
{
    return QJsonObject{{QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), timeout}}}};
}

quint64 readTimeout(const QJsonValue &timeout)
{
    return Preset(timerWith(timeout)).timer().timeout;
}
} // namespace

class PresetJsonTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyObjectGivesDefaultsAndWritesEveryKey()
    {
        const Preset preset(QJsonObject{});
        QVERIFY(!preset.id().isNull());
        QCOMPARE(preset.presetType(), qint32(PresetType::Timer));
        QCOMPARE(preset.actionType(), qint32(ActionType::Shutdown));
        QVERIFY(preset.name().isEmpty());
        QVERIFY(!preset.isForce() && !preset.isRunning() && !preset.isPaused());
        QCOMPARE(preset.timer().timeout, quint64(0));
        QCOMPARE(preset.timer().remainingTime, quint64(0));
        QCOMPARE(preset.schedule().start, quint64(0));
        QCOMPARE(preset.schedule().repeat.type, qint32(RepeatType::Never));
        QCOMPARE(preset.schedule().repeat.count, 1);
        QCOMPARE(preset.interval().regularity, qint64(5000));

        const QJsonObject written = preset.toJsonObject();
        const QStringList keys{
            "action_type", "interval", "preset_force", "preset_id", "preset_name", "preset_paused", "preset_running", "preset_type", "schedule", "timer"};
        QCOMPARE(written.keys(), keys);
        QCOMPARE(written["timer"].toObject().keys(), (QStringList{"notify", "remainingTime", "timeout"}));
        QCOMPARE(written["interval"].toObject().keys(), (QStringList{"end", "regularity", "start"}));
        const QJsonObject schedule = written["schedule"].toObject();
        QCOMPARE(schedule.keys(), (QStringList{"end", "notify", "repeat_settings", "start"}));
        QCOMPARE(schedule["repeat_settings"].toObject().keys(),
            (QStringList{"repeat_settings_count", "repeat_settings_custom_type", "repeat_settings_selected", "repeat_settings_type"}));
        QVERIFY(schedule["repeat_settings"].toObject()["repeat_settings_selected"].isArray());
        // A fresh id each time an object without one is read.
        QVERIFY(Preset(QJsonObject{}).id() != preset.id());
    }

    void idForms_data()
    {
        QTest::addColumn<QJsonValue>("given");
        QTest::addColumn<QString>("written");
        QTest::newRow("unbraced upper case") << QJsonValue("8DA8872B-7795-4154-B075-88378F31B031") << "{8da8872b-7795-4154-b075-88378f31b031}";
        QTest::newRow("braced") << QJsonValue("{8da8872b-7795-4154-b075-88378f31b031}") << "{8da8872b-7795-4154-b075-88378f31b031}";
        QTest::newRow("not a uuid") << QJsonValue("x") << "{00000000-0000-0000-0000-000000000000}";
        QTest::newRow("json null") << QJsonValue(QJsonValue::Null) << "{00000000-0000-0000-0000-000000000000}";
        QTest::newRow("number") << QJsonValue(42) << "{00000000-0000-0000-0000-000000000000}";
    }
    void idForms()
    {
        QFETCH(QJsonValue, given);
        QFETCH(QString, written);
        QCOMPARE(roundTrip(QJsonObject{{"preset_id", given}})["preset_id"].toString(), written);
    }

    void remainingTimeFollowsTheProgram()
    {
        const Preset preset(parse(R"({"timer":{"timeout":60000}})"));
#ifdef ZEL_CLIENT
        QCOMPARE(preset.timer().remainingTime, quint64(0));
#else
        QCOMPARE(preset.timer().remainingTime, quint64(60000));
#endif
        // A saved remaining time is kept as it is in both programs.
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":60000,"remainingTime":1000}})")).timer().remainingTime, quint64(1000));
    }

    void selectedSetIsOrderedAndUnique()
    {
        const QJsonObject written = roundTrip(parse(R"({"schedule":{"repeat_settings":{"repeat_settings_selected":[5,1,5,3]}}})"));
        QCOMPARE(written.value("schedule")["repeat_settings"]["repeat_settings_selected"].toArray(), (QJsonArray{1, 3, 5}));
        // Non-integers in the array read as 0; a non-array reads as empty.
        QCOMPARE(
            Preset(parse(R"({"schedule":{"repeat_settings":{"repeat_settings_selected":[2,"x",1.5]}}})")).schedule().repeat.selected, (std::set<qint32>{0, 2}));
        QVERIFY(Preset(parse(R"({"schedule":{"repeat_settings":{"repeat_settings_selected":7}}})")).schedule().repeat.selected.empty());
    }

    void integralChecks()
    {
        QCOMPARE(Preset(parse(R"({"interval":{"regularity":2.5}})")).interval().regularity, qint64(0));
        QCOMPARE(readTimeout(1500.9), quint64(1500));
        QCOMPARE(Preset(parse(R"({"preset_type":"1"})")).presetType(), 0);
        QCOMPARE(Preset(parse(R"({"preset_type":1.5,"action_type":true})")).presetType(), 0);
        QCOMPARE(Preset(parse(R"({"action_type":6})")).actionType(), 6);
        // 32-bit fields: integral numbers outside the range read as 0.
        QCOMPARE(Preset(parse(R"({"action_type":4294967296})")).actionType(), 0);
        QCOMPARE(Preset(parse(R"({"preset_type":-2147483648})")).presetType(), std::numeric_limits<qint32>::min());
        // Kinds without a key are kept as numbers.
        QCOMPARE(Preset(parse(R"({"preset_type":-1})")).presetType(), -1);
        QCOMPARE(roundTrip(parse(R"({"preset_type":-1})"))["preset_type"].toInt(), -1);
        // Wrong JSON types give the defaults.
        const Preset wrong(parse(R"({"preset_name":5,"preset_force":"true","preset_running":1})"));
        QVERIFY(wrong.name().isEmpty());
        QVERIFY(!wrong.isForce());
        QVERIFY(!wrong.isRunning());
    }

    void missingVersusIncompleteSubObjects()
    {
        const Preset noSchedule(parse("{}"));
        QCOMPARE(noSchedule.schedule().repeat.type, qint32(RepeatType::Never));
        QCOMPARE(noSchedule.schedule().repeat.count, 1);

        const Preset bareSchedule(parse(R"({"schedule":{"start":5}})"));
        QCOMPARE(bareSchedule.schedule().start, quint64(5));
        QCOMPARE(bareSchedule.schedule().repeat.type, qint32(RepeatType::Undefined));
        QCOMPARE(bareSchedule.schedule().repeat.count, 0);
        QCOMPARE(bareSchedule.schedule().repeat.customType, 0);

        const Preset partRepeat(parse(R"({"schedule":{"repeat_settings":{"repeat_settings_type":3}}})"));
        QCOMPARE(partRepeat.schedule().repeat.type, qint32(RepeatType::EveryWeek));
        QCOMPARE(partRepeat.schedule().repeat.count, 0);

        // A schedule that is not an object reads as an empty one.
        QCOMPARE(Preset(parse(R"({"schedule":[]})")).schedule().repeat.count, 0);

        QCOMPARE(Preset(parse("{}")).interval().regularity, qint64(5000));
        QCOMPARE(Preset(parse(R"({"interval":{"start":1000}})")).interval().regularity, qint64(0));
        QCOMPARE(Preset(parse(R"({"interval":{"regularity":-3000}})")).interval().regularity, qint64(-3000));

        // A timer that is present but empty keeps everything at 0.
        QCOMPARE(Preset(parse(R"({"timer":{}})")).timer().timeout, quint64(0));
        // Run flags are read only when present, and both may be true.
        const Preset both(parse(R"({"preset_running":true,"preset_paused":true})"));
        QVERIFY(both.isRunning() && both.isPaused());
    }

    void numberNotations()
    {
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":1.5e3}})")).timer().timeout, quint64(1500));
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":6E4}})")).timer().timeout, quint64(60000));
        QCOMPARE(Preset(parse(R"({"interval":{"regularity":1e3}})")).interval().regularity, qint64(1000));
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":"60000"}})")).timer().timeout, quint64(0));
    }

    void unsignedRange_data()
    {
        QTest::addColumn<double>("given");
        QTest::addColumn<quint64>("expected");
        const double two63 = std::ldexp(1.0, 63);
        const double two64 = std::ldexp(1.0, 64);
        const quint64 max = std::numeric_limits<quint64>::max();
        QTest::newRow("2^53") << std::ldexp(1.0, 53) << (quint64(1) << 53);
        QTest::newRow("2^63") << two63 << (quint64(1) << 63);
        QTest::newRow("3*2^62") << 3 * std::ldexp(1.0, 62) << 3 * (quint64(1) << 62);
        QTest::newRow("largest below 2^64") << std::nextafter(two64, 0.0) << quint64(18446744073709549568ULL);
        QTest::newRow("2^64 saturates") << two64 << max;
        QTest::newRow("1e300 saturates") << 1e300 << max;
        QTest::newRow("+inf saturates") << std::numeric_limits<double>::infinity() << max;
        QTest::newRow("negative") << -1500.0 << quint64(0);
        QTest::newRow("small negative") << -0.5 << quint64(0);
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << quint64(0);
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << quint64(0);
    }
    void unsignedRange()
    {
        QFETCH(double, given);
        QFETCH(quint64, expected);
        QCOMPARE(JsonNumbers::toUInt64(QJsonValue(given)), expected);
    }

    void unsignedRangeFromText()
    {
        // The same through the parser, as the bus and the settings file deliver it.
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":9223372036854775808}})")).timer().timeout, quint64(1) << 63);
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":18446744073709551616}})")).timer().timeout, std::numeric_limits<quint64>::max());
        QCOMPARE(Preset(parse(R"({"timer":{"timeout":1e400}})")).timer().timeout, quint64(0)); // the parser rejects it: no object
        QCOMPARE(Preset(parse(R"({"schedule":{"start":-5}})")).schedule().start, quint64(0));
        // The largest value is written as 2^64 and reads back as itself.
        Preset big(QJsonObject{});
        big.schedule().end = std::numeric_limits<quint64>::max();
        QCOMPARE(Preset(big.toJsonObject()).schedule().end, std::numeric_limits<quint64>::max());
        // Above 2^53 the written number loses precision, as doubles do.
        big.schedule().end = (quint64(1) << 53) + 1;
        QCOMPARE(big.toJsonObject().value("schedule")["end"].toDouble(), std::ldexp(1.0, 53));
    }

    void regularityIsWrittenAs32Bit()
    {
        Preset preset(QJsonObject{});
        preset.interval().regularity = 2147483647;
        QCOMPARE(preset.toJsonObject().value("interval")["regularity"].toInt(), 2147483647);
        preset.interval().regularity = 2147483648LL;
        QCOMPARE(preset.toJsonObject().value("interval")["regularity"].toInt(), 0);
        preset.interval().regularity = -5; // written as an unsigned number, which does not fit
        QCOMPARE(preset.toJsonObject().value("interval")["regularity"].toInt(), 0);
    }

    void roundTripKeepsTheRecord()
    {
        const char *text = R"({"action_type":6,"interval":{"end":46800000,"regularity":300000,"start":43200000},)"
                           R"("preset_force":true,"preset_id":"{8da8872b-7795-4154-b075-88378f31b031}","preset_name":"Lunch \u00e9",)"
                           R"("preset_paused":true,"preset_running":false,"preset_type":2,)"
                           R"("schedule":{"end":1700000000000,"notify":300000,"repeat_settings":{"repeat_settings_count":2,)"
                           R"("repeat_settings_custom_type":1,"repeat_settings_selected":[1,5],"repeat_settings_type":6},"start":1600000000000},)"
                           R"("timer":{"notify":300000,"remainingTime":59000,"timeout":600000}})";
        const Preset preset(parse(text));
        QCOMPARE(preset.toJson(), QString::fromUtf8(QJsonDocument(parse(text)).toJson(QJsonDocument::Compact)));
        QVERIFY(!preset.toJson().contains(QLatin1Char(' ')) || preset.name().contains(QLatin1Char(' ')));
        // Unknown keys are dropped.
        QVERIFY(!roundTrip(parse(R"({"extra":1})")).contains("extra"));
    }

    void copiesAreIndependent()
    {
        Preset first(parse(R"({"schedule":{"repeat_settings":{"repeat_settings_selected":[1]}}})"));
        Preset copy = first;
        copy.schedule().repeat.selected.insert(7);
        copy.timer().remainingTime = 5;
        copy.setName(QStringLiteral("copy"));
        QCOMPARE(first.schedule().repeat.selected, (std::set<qint32>{1}));
        QCOMPARE(first.timer().remainingTime, quint64(0));
        QVERIFY(first.name().isEmpty());
        QCOMPARE(copy.id(), first.id());
    }

    void runStateOperations()
    {
        Preset preset(QJsonObject{});
        preset.markPaused();
        QVERIFY(!preset.isRunning() && preset.isPaused());
        preset.markStarted();
        QVERIFY(preset.isRunning() && !preset.isPaused());
        preset.markStopped();
        QVERIFY(!preset.isRunning() && !preset.isPaused());
    }

    void actionNames()
    {
        QCOMPARE(ActionType::displayName(ActionType::TurnOn), QStringLiteral("Turn On"));
        QCOMPARE(ActionType::displayName(ActionType::NewSession), QStringLiteral("Switch User"));
        QCOMPARE(ActionType::displayName(ActionType::EndSession), QStringLiteral("Log Out"));
        QVERIFY(ActionType::displayName(8).isEmpty());
        QVERIFY(ActionType::displayName(-2).isEmpty());
    }

#ifndef ZEL_CLIENT
    void makeFromText()
    {
        for (const QString &text : {QStringLiteral("not json"), QStringLiteral("[1,2]"), QString(), QStringLiteral("{\"preset_name\":")}) {
            const Preset::Ptr preset = Preset::make(text);
            QVERIFY(preset);
            QVERIFY(!preset->id().isNull());
            QVERIFY(preset->name().isEmpty());
            QCOMPARE(preset->interval().regularity, qint64(5000));
        }
        QCOMPARE(Preset::make(QStringLiteral("{\"preset_name\":\"\u00e9t\u00e9\"}"))->name(), QStringLiteral("\u00e9t\u00e9"));
        const Preset::Ptr original = Preset::make(QStringLiteral("{\"timer\":{\"timeout\":5000}}"));
        const Preset::Ptr copy = Preset::make(*original);
        copy->timer().remainingTime = 1000;
        QCOMPARE(original->timer().remainingTime, quint64(5000));
        QCOMPARE(copy->id(), original->id());
    }
#endif
};

ZEL_TEST_MAIN(PresetJsonTest)

#include "presetjsontest.moc"
