// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The scheduled worker on a fake wall clock: it wakes up at the moment of an
// occurrence or its warning, fires exactly once, and handles the choices on
// its warning and a restart.

#include "scheduledworker.h"
#include "fakewallclock.h"
#include "recordingeffects.h"
#include "zeltest.h"

#include <QSignalSpy>

using FakeWallClock::runUntil;

namespace
{
// A Tuesday morning, a little into a second.
const QDateTime t0(QDate(2026, 3, 10), QTime(10, 0, 0, 300));
// The start of t0's second.
const QDateTime second0(QDate(2026, 3, 10), QTime(10, 0, 0));

Preset::Ptr schedule(const QDateTime &start, const QDateTime &end, int repeatType, quint64 notify = 0)
{
    return Preset::make(QJsonObject{
        {"preset_id", "{00000000-0000-0000-0000-0000000000d1}"},
        {"preset_type", PresetType::Scheduled},
        {"action_type", ActionType::Lock},
        {"schedule",
            QJsonObject{
                {"start", double(start.toMSecsSinceEpoch())},
                {"end", double(end.toMSecsSinceEpoch())},
                {"notify", double(notify)},
                {"repeat_settings", QJsonObject{{"repeat_settings_type", repeatType}}},
            }},
    });
}

QString runState(const Preset::Ptr &preset)
{
    return preset->isRunning() ? "running" : preset->isPaused() ? "paused" : "stopped";
}

QString lastState(const QSignalSpy &spy)
{
    return runState(spy.last().at(0).value<Preset::Ptr>());
}
} // namespace

class ScheduledWorkerTest : public QObject
{
    Q_OBJECT

    std::shared_ptr<RecordingEffects> m_effects;

    QStringList executedAt() const
    {
        QStringList result;
        for (const auto &execution : m_effects->records().executions) {
            result << execution.at.toString(QStringLiteral("ddd hh:mm:ss.zzz"));
        }
        return result;
    }

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<Preset::Ptr>("Preset::Ptr"); }

    void init()
    {
        FakeWallClock::now = t0;
        m_effects = std::make_shared<RecordingEffects>([] { return FakeWallClock::now; });
    }

    void firesOnceAtItsMoment()
    {
        const QDateTime start = second0.addSecs(2);
        ScheduledWorker worker(schedule(start, start, RepeatType::Never, 1000), m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(lastState(spy), QStringLiteral("running"));

        // Fires at the start and, none remaining, ends the schedule.
        runUntil(worker, start.addSecs(5));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(lastState(spy), QStringLiteral("stopped"));
        QCOMPARE(executedAt(), QStringList({"Tue 10:00:02.000"}));
        QCOMPARE(m_effects->records().executions.at(0).action, qint32(ActionType::Lock));

        // The warning came exactly one second before.
        const auto warnings = m_effects->records().warnings;
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.at(0).title, QStringLiteral("Schedule"));
        QCOMPARE(warnings.at(0).body, QStringLiteral("The Lock action will be executed soon"));
        QCOMPARE(warnings.at(0).at, start.addSecs(-1));
        QVERIFY(!FakeWallClock::wakeAt(worker).isValid());
    }

    void warnsAtOnceWhenStartedInsideTheLead()
    {
        const QDateTime start = second0.addSecs(2);
        ScheduledWorker worker(schedule(start, start.addDays(1), RepeatType::Never, 60000), m_effects, FakeWallClock::clock);
        worker.start();
        QCOMPARE(m_effects->records().warnings.size(), 1);
        worker.pause();
        worker.start();
        runUntil(worker, start.addSecs(1));
        QCOMPARE(m_effects->records().executions.size(), 1);
        // Once for the occurrence, however often started.
        QCOMPARE(m_effects->records().warnings.size(), 1);
    }

    void dailyOccurrencesFireOnceADay()
    {
        // A daily schedule that began days ago, due two seconds from now; an
        // hour's wait at most at a time in between.
        const QDateTime due = second0.addSecs(2);
        ScheduledWorker worker(schedule(due.addDays(-3), due.addDays(30), RepeatType::EveryDay), m_effects, FakeWallClock::clock);
        worker.start();
        runUntil(worker, due.addDays(1).addSecs(3));
        QCOMPARE(executedAt(), QStringList({"Tue 10:00:02.000", "Wed 10:00:02.000"}));
    }

    void restartWithinTheSameSecondDoesNotFireTwice()
    {
        ScheduledWorker worker(schedule(second0, second0.addDays(1), RepeatType::Never), m_effects, FakeWallClock::clock);
        worker.start(); // the start's second: fires
        QCOMPARE(m_effects->records().executions.size(), 1);
        worker.pause();
        worker.start(); // the same second again
        worker.stop();
        worker.start();
        runUntil(worker, t0.addMSecs(1300));
        QCOMPARE(m_effects->records().executions.size(), 1);
    }

    // A Turn On carries nothing out (no login manager, polkit or window
    // manager is asked) and warns of nothing; its occurrences are handled
    // like any other, and the user hears of one only when the machine woke
    // for it.
    void turnOnCarriesNothingOutAndTellsAWake()
    {
        const QDateTime due = second0.addSecs(2);
        Preset::Ptr preset = schedule(due, due.addDays(30), RepeatType::EveryDay, 60000);
        preset->setActionType(ActionType::TurnOn);
        preset->setName(QStringLiteral("Morning"));
        ScheduledWorker worker(preset, m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        // Found on at its time.
        runUntil(worker, due.addSecs(1));
        // Asleep over the next one, woken three seconds after it (logind
        // tells a little late): carried out late, and told.
        FakeWallClock::now = due.addDays(1).addSecs(3);
        worker.clockChanged(AbstractWorker::ClockChange::Resumed);
        // Woken by the user an hour before the third: not for it.
        FakeWallClock::now = due.addDays(2).addSecs(-3600);
        worker.clockChanged(AbstractWorker::ClockChange::Resumed);
        runUntil(worker, due.addDays(2).addSecs(1));

        QCOMPARE(m_effects->records().woken, QStringList({"Morning"}));
        QVERIFY(m_effects->records().executions.isEmpty());
        QVERIFY(m_effects->records().warnings.isEmpty());
        QVERIFY(m_effects->records().failures.isEmpty());
        QCOMPARE(lastState(spy), QStringLiteral("running"));
    }

    void startAfterTheEndStops()
    {
        const QDateTime past = t0.addSecs(-3600);
        ScheduledWorker worker(schedule(past.addSecs(-60), past, RepeatType::EveryDay), m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        QCOMPARE(spy.count(), 2);
        QCOMPARE(runState(spy.at(0).at(0).value<Preset::Ptr>()), QStringLiteral("running"));
        QCOMPARE(lastState(spy), QStringLiteral("stopped"));
        QVERIFY(m_effects->records().executions.isEmpty());
    }

    void resumedAfterItsOnlyTimeItStops()
    {
        // Paused before its time and started again after it: nothing is left
        // to do, and it says so by stopping; the time passed is not made up.
        const QDateTime start = second0.addSecs(1);
        ScheduledWorker worker(schedule(start, start.addSecs(60), RepeatType::Never), m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        worker.pause();
        QVERIFY(!FakeWallClock::wakeAt(worker).isValid());
        FakeWallClock::now = t0.addMSecs(2100);
        worker.start();
        QCOMPARE(lastState(spy), QStringLiteral("stopped"));
        QVERIFY(m_effects->records().executions.isEmpty());
        QVERIFY(m_effects->records().warnings.isEmpty());
    }

    void givenScheduleAppliesAtOnce()
    {
        ScheduledWorker worker(schedule(second0.addSecs(3600), second0.addDays(1), RepeatType::Never), m_effects, FakeWallClock::clock);
        worker.start();
        // Moved to two seconds from now.
        const QDateTime start = second0.addSecs(2);
        Preset::Ptr moved = schedule(start, start.addDays(1), RepeatType::Never);
        moved->markStarted();
        worker.setPreset(moved);
        runUntil(worker, start.addSecs(1));
        QCOMPARE(executedAt(), QStringList({"Tue 10:00:02.000"}));

        // Given as not running (as the store has it), it falls idle.
        const QDateTime later = start.addSecs(2);
        worker.setPreset(schedule(later, later.addDays(1), RepeatType::Never));
        worker.start();
        worker.setPreset(schedule(later, later.addDays(1), RepeatType::Never));
        QVERIFY(!FakeWallClock::wakeAt(worker).isValid());
        runUntil(worker, later.addSecs(3));
        QCOMPARE(m_effects->records().executions.size(), 1);
    }

    void choicesOnTheWarning_data()
    {
        // A one-off at 10:05 warned a minute before; the user's choice at 10:04.
        QTest::addColumn<QString>("what"); // a choice, or a command after postponing
        QTest::addColumn<QStringList>("executed");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QStringList>("postponements");
        QTest::addColumn<QString>("state");
        QTest::newRow("cancel") << "Cancel" << QStringList() << 1 << QStringList() << "stopped";
        // Warned again ten minutes before its new moment: at its old one.
        QTest::newRow("postpone") << "Postpone 10 minutes" << QStringList({"Tue 10:15:00.000"}) << 2 << QStringList({"note 10:05:00 10:15:00", "drop"})
                                  << "stopped";
        QTest::newRow("postpone, then pause") << "pause" << QStringList() << 1 << QStringList({"note 10:05:00 10:15:00", "drop"}) << "paused";
    }

    void choicesOnTheWarning()
    {
        QFETCH(QString, what);
        QFETCH(QStringList, executed);
        QFETCH(int, warnings);
        QFETCH(QStringList, postponements);
        QFETCH(QString, state);
        const QDateTime at = second0.addSecs(300);
        ScheduledWorker worker(schedule(at, at, RepeatType::Never, 60000), m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        runUntil(worker, at.addSecs(-60));
        QCOMPARE(m_effects->records().warnings.size(), 1);
        const RecordingEffects::Warning warning = m_effects->records().warnings.at(0);
        QCOMPARE(warning.choices, QStringList({"Cancel", "Postpone 10 minutes"}));
        m_effects->choose(warning.id, warning.choices.indexOf(what == QLatin1String("pause") ? QStringLiteral("Postpone 10 minutes") : what));
        QCOMPARE(m_effects->records().withdrawn, QVector<quint32>({warning.id}));
        if (what == QLatin1String("pause")) {
            worker.pause();
        }
        runUntil(worker, at.addSecs(3600));
        QCOMPARE(executedAt(), executed);
        QCOMPARE(m_effects->records().warnings.size(), warnings);
        QCOMPARE(m_effects->records().postponements, postponements);
        QCOMPARE(lastState(spy), state);
        QVERIFY(m_effects->records().failures.isEmpty());
    }

    void restore_data()
    {
        // The service starts at t0 and finds the schedule running.
        QTest::addColumn<int>("repeat");
        QTest::addColumn<qint64>("due"); // ms from t0's second
        QTest::addColumn<bool>("postponedBefore"); // and the postponement lost
        QTest::addColumn<QStringList>("executed"); // within a day and a bit
        QTest::addColumn<int>("told"); // SkippedNotRunning
        QTest::addColumn<QString>("state");
        QTest::newRow("one-off ahead") << int(RepeatType::Never) << qint64(2000) << false << QStringList({"Tue 10:00:02.000"}) << 0 << "stopped";
        // Its stopped state is saved before its action: it was not carried out.
        QTest::newRow("one-off passed 30 s ago: late")
            << int(RepeatType::Never) << qint64(-30000) << false << QStringList({"Tue 10:00:00.300"}) << 0 << "stopped";
        QTest::newRow("one-off passed 2 min ago: skipped, told") << int(RepeatType::Never) << qint64(-120000) << false << QStringList() << 1 << "stopped";
        QTest::newRow("one-off postponed before") << int(RepeatType::Never) << qint64(2000) << true << QStringList() << 0 << "stopped";
        QTest::newRow("daily postponed before: the next day's comes")
            << int(RepeatType::EveryDay) << qint64(2000) << true << QStringList({"Wed 10:00:02.000"}) << 0 << "running";
        // It may have been carried out before the restart.
        QTest::newRow("daily passed 30 s ago: never looked back at")
            << int(RepeatType::EveryDay) << qint64(-30000) << false << QStringList({"Wed 09:59:30.000"}) << 0 << "running";
    }

    void restore()
    {
        QFETCH(int, repeat);
        QFETCH(qint64, due);
        QFETCH(bool, postponedBefore);
        QFETCH(QStringList, executed);
        QFETCH(int, told);
        QFETCH(QString, state);
        const QDateTime at = second0.addMSecs(due);
        Preset::Ptr preset = repeat == RepeatType::Never ? schedule(at, at, repeat) : schedule(at.addDays(-3), at.addDays(30), repeat);
        preset->markStarted();
        if (postponedBefore) {
            m_effects->setLostOriginal(preset->id(), at);
        }
        ScheduledWorker worker(preset, m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.restore();
        runUntil(worker, t0.addDays(1).addSecs(5));
        QCOMPARE(executedAt(), executed);
        QCOMPARE(lastState(spy), state);
        const auto failures = m_effects->records().failures;
        QCOMPARE(failures.size(), told);
        if (told) {
            QCOMPARE(failures.at(0).reason, ActionFailure::Reason::SkippedNotRunning);
            QCOMPARE(failures.at(0).detail, ActionFailure::plannedText(at));
        }
    }
};

ZEL_TEST_MAIN(ScheduledWorkerTest)

#include "scheduledworkertest.moc"
