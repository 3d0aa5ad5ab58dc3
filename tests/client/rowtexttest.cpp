// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// What a row of the window's list says, in British English, from a fixed
// now (Monday 5 January 2026, 18:48, Berlin).

#include "rowtext.h"
#include "zeltest.h"

#include <ctime>

namespace
{
const QLocale british(QLocale::English, QLocale::UnitedKingdom);
constexpr qint64 minute = 60 * 1000;
constexpr qint64 hour = 60 * minute;

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

const char *const now = "2026-01-05 18:48:00";

// Preset kinds: 0 countdown, 1 schedule, 2 daily window. States: "running",
// "paused", "stopped".
Preset preset(int kind, const QString &name, const QString &state, const QJsonObject &settings)
{
    QJsonObject object{
        {QStringLiteral("preset_name"), name},
        {QStringLiteral("preset_type"), kind},
        {QStringLiteral("action_type"), kind == 2 ? 6 : 0},
        {QStringLiteral("preset_running"), state == QLatin1String("running")},
        {QStringLiteral("preset_paused"), state == QLatin1String("paused")},
    };
    const char *key = kind == 0 ? "timer" : kind == 1 ? "schedule" : "interval";
    object.insert(QString::fromLatin1(key), settings);
    return Preset(object);
}

QJsonObject countdown(qint64 timeout, qint64 remaining)
{
    return {{QStringLiteral("timeout"), double(timeout)}, {QStringLiteral("remainingTime"), double(remaining)}};
}

QJsonObject weekly(const char *start)
{
    return {
        {QStringLiteral("start"), double(at(start).toMSecsSinceEpoch())},
        {QStringLiteral("end"), double(at("2027-01-01 00:00:00").toMSecsSinceEpoch())},
        {QStringLiteral("repeat_settings"), QJsonObject{{QStringLiteral("repeat_settings_type"), 3}}},
    };
}

QJsonObject window(qint64 start, qint64 end, qint64 every)
{
    return {{QStringLiteral("start"), double(start)}, {QStringLiteral("end"), double(end)}, {QStringLiteral("regularity"), double(every)}};
}
} // namespace

Q_DECLARE_METATYPE(Preset)

class RowTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void customNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("custom");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "  " << false;
        QTest::newRow("an action") << "Shut Down" << false;
        QTest::newRow("a countdown") << "Shut Down 1:30" << false;
        QTest::newRow("a schedule") << "Reboot 05.03.24 14:30 - 06.03.24 08:00" << false;
        QTest::newRow("another language") << "Выключить 12:00 - 13:00" << false;
        QTest::newRow("an empty countdown") << "Lock Timer" << false;
        QTest::newRow("the user's") << "Lunch break" << true;
        QTest::newRow("begins with an action") << "Lock the screen at lunch" << true;
        QTest::newRow("an action's name as a part") << "Shut Downstairs 5" << true;
        QTest::newRow("two spaces") << "Lock  12:00" << true;
    }

    void customNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, custom);
        const QStringList actions{QStringLiteral("Shut Down"), QStringLiteral("Reboot"), QStringLiteral("Lock"), QStringLiteral("Выключить")};
        QCOMPARE(RowText::isCustomName(name, actions), custom);
    }

    void titles_data()
    {
        QTest::addColumn<Preset>("preset");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<QString>("title");
        QTest::newRow("countdown") << preset(0, "", "running", countdown(hour, 90000)) << false << "Shut Down 00:01:30";
        QTest::newRow("named countdown") << preset(0, "Tea", "paused", countdown(hour, 90000)) << true << "Tea 00:01:30";
        QTest::newRow("countdown past a day") << preset(0, "", "running", countdown(30 * hour, 25 * hour)) << false << "Shut Down 25:00:00";
        QTest::newRow("schedule") << preset(1,
                                         "Shut Down 1.1.",
                                         "stopped",
                                         QJsonObject{{QStringLiteral("start"), double(at("2024-03-05 14:30:00").toMSecsSinceEpoch())},
                                             {QStringLiteral("end"), double(at("2024-03-06 08:00:00").toMSecsSinceEpoch())}})
                                  << false << "Shut Down 05.03.24 14:30 - 06.03.24 08:00";
        QTest::newRow("named schedule") << preset(1, "Nightly", "running", weekly("2026-01-05 22:00:00")) << true << "Nightly";
        QTest::newRow("window") << preset(2, "", "stopped", window(12 * hour, 13 * hour + 30 * minute, minute)) << false << "Lock 12:00 - 13:30";
        QTest::newRow("window to midnight") << preset(2, "", "stopped", window(22 * hour, 0, minute)) << false << "Lock 22:00 - 00:00";
    }

    void titles()
    {
        QFETCH(Preset, preset);
        QFETCH(bool, custom);
        QFETCH(QString, title);
        QCOMPARE(RowText::title(preset, custom), title);
    }

    void statusAndSentence_data()
    {
        QTest::addColumn<Preset>("preset");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<bool>("followsClock");

        const Preset running = preset(0, "", "running", countdown(hour, 10 * minute));
        QTest::newRow("countdown") << running << true << at("2026-01-05 18:58:00") << "Ends at 18:58"
                                   << "Shut Down, countdown, 10 minutes left, running" << false;
        QTest::newRow("countdown to tomorrow") << preset(0, "Tea", "running", countdown(20 * hour, 14 * hour + 59 * minute + 1000)) << true
                                               << at("2026-01-06 09:47:01") << "Ends tomorrow at 09:47"
                                               << "Tea, countdown, 15 hours left, running" << false;
        QTest::newRow("under a minute") << preset(0, "", "running", countdown(hour, 1000)) << true << at("2026-01-05 18:48:01") << "Ends at 18:48"
                                        << "Shut Down, countdown, 1 second left, running" << false;
        QTest::newRow("paused") << preset(0, "", "paused", countdown(2 * hour, 61 * minute)) << true << QDateTime() << "Paused"
                                << "Shut Down, countdown, 1 hour 1 minute left, paused" << false;
        QTest::newRow("stopped") << preset(0, "", "stopped", countdown(90 * minute, 90 * minute)) << true << QDateTime() << "Stopped"
                                 << "Shut Down, countdown of 1 hour 30 minutes, stopped" << false;
        QTest::newRow("draft") << preset(0, "Shut Down", "stopped", countdown(0, 0)) << false << QDateTime() << "Not applied yet"
                               << "Shut Down, countdown of 0 seconds, not applied yet" << false;
        QTest::newRow("weekly") << preset(1, "", "running", weekly("2026-01-07 22:00:00")) << true << QDateTime() << "Next: Wed 22:00 · in 2 d 3 h"
                                << "Shut Down, schedule, next: Wed 22:00 · in 2 d 3 h, running" << true;
        QTest::newRow("weekly, stopped") << preset(1, "", "stopped", weekly("2026-01-07 22:00:00")) << true << QDateTime() << "Stopped"
                                         << "Shut Down, schedule, weekly on Wednesday, stopped" << false;
        const QJsonObject over{{QStringLiteral("start"), double(at("2025-01-07 22:00:00").toMSecsSinceEpoch())},
            {QStringLiteral("end"), double(at("2025-01-07 22:00:00").toMSecsSinceEpoch())}};
        QTest::newRow("schedule over") << preset(1, "", "running", over) << true << QDateTime() << "No further action"
                                       << "Shut Down, schedule, no further action, running" << true;
        QTest::newRow("window") << preset(2, "Lunch", "running", window(12 * hour, 13 * hour, 5 * minute)) << true << QDateTime()
                                << "Next: Tue 12:00 · in 17 h 12 min"
                                << "Lunch, daily window, next: Tue 12:00 · in 17 h 12 min, running" << true;
        QTest::newRow("window, paused") << preset(2, "", "paused", window(12 * hour, 13 * hour, 5 * minute)) << true << QDateTime() << "Paused"
                                        << "Lock, daily window, every 5 minutes between 12:00 and 13:00, paused" << false;
    }

    void statusAndSentence()
    {
        QFETCH(Preset, preset);
        QFETCH(bool, stored);
        QFETCH(QDateTime, end);
        QFETCH(QString, status);
        QFETCH(QString, sentence);
        QFETCH(bool, followsClock);
        const bool custom = !preset.name().isEmpty() && preset.name() != QLatin1String("Shut Down");
        QCOMPARE(RowText::status(preset, stored, end, at(now), british), status);
        QCOMPARE(RowText::sentence(preset, custom, stored, at(now), british), sentence);
        QCOMPARE(RowText::followsClock(preset), followsClock);
    }
};

ZEL_TEST_MAIN(RowTextTest)

#include "rowtexttest.moc"
