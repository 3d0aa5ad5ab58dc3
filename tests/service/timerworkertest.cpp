// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The countdown worker on the test's own thread and a fake clock: its
// reports, warnings and action, tick by tick, and where it arms its timer.

#include "timerworker.h"
#include "recordingeffects.h"
#include "zeltest.h"

#include <QSignalSpy>
#include <QTimer>

#include <algorithm>

namespace
{
Preset::Ptr countdown(quint64 timeout, quint64 notify = 0, int action = ActionType::Shutdown)
{
    return Preset::make(QJsonObject{
        {"preset_id", "{00000000-0000-0000-0000-0000000000c1}"},
        {"preset_type", PresetType::Timer},
        {"action_type", action},
        {"timer", QJsonObject{{"timeout", double(timeout)}, {"notify", double(notify)}}},
    });
}

// The monotonic clock of the workers made with fakeClock.
qint64 fakeNow = 0;
const TimerWorker::Clock fakeClock = [] { return fakeNow; };

// The timer's wake-up after msecs more of the clock (a second by default).
void tick(TimerWorker &worker, qint64 msecs = 1000)
{
    fakeNow += msecs;
    QVERIFY(QMetaObject::invokeMethod(&worker, "onTimeout", Qt::DirectConnection));
}

Preset::Ptr reportAt(const QSignalSpy &spy, int index)
{
    return spy.at(index).at(0).value<Preset::Ptr>();
}

// "r<remaining>" for a running report, "p<remaining>" paused, "s<remaining>" stopped.
QStringList states(const QSignalSpy &spy)
{
    QStringList result;
    for (int i = 0; i < spy.count(); ++i) {
        const Preset::Ptr preset = reportAt(spy, i);
        const QChar state = preset->isRunning() ? QLatin1Char('r') : preset->isPaused() ? QLatin1Char('p') : QLatin1Char('s');
        result << state + QString::number(preset->timer().remainingTime);
    }
    return result;
}
} // namespace

class TimerWorkerTest : public QObject
{
    Q_OBJECT

    std::shared_ptr<RecordingEffects> m_effects;

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<Preset::Ptr>("Preset::Ptr"); }

    void init() { m_effects = std::make_shared<RecordingEffects>(); }

    void countsDownThenStopsBeforeTheAction()
    {
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        int reportsAtAction = -1;
        m_effects->setOnCarryOut([&](qint32) { reportsAtAction = spy.count(); });

        worker.start();
        for (int i = 0; i < 5; ++i) {
            tick(worker);
        }
        QCOMPARE(states(spy), QStringList({"r5000", "r4000", "r3000", "r2000", "r1000", "r0"}));
        QVERIFY(m_effects->records().executions.isEmpty());

        // The sixth tick: paused report, stopped report with the time reset,
        // and only then the action, exactly once.
        tick(worker);
        QCOMPARE(states(spy).mid(6), QStringList({"p0", "s5000"}));
        QCOMPARE(m_effects->records().executions.size(), 1);
        QCOMPARE(m_effects->records().executions.at(0).action, qint32(ActionType::Shutdown));
        QCOMPARE(reportsAtAction, 8);

        // Stopped: further ticks do nothing.
        tick(worker);
        QCOMPARE(spy.count(), 8);
        QCOMPARE(m_effects->records().executions.size(), 1);
    }

    void shortCountdownsExecuteOnTheFirstTick_data()
    {
        QTest::addColumn<quint64>("timeout");
        QTest::newRow("0 ms") << quint64(0);
        QTest::newRow("1 ms") << quint64(1);
        QTest::newRow("999 ms") << quint64(999);
    }

    void shortCountdownsExecuteOnTheFirstTick()
    {
        QFETCH(quint64, timeout);
        TimerWorker worker(countdown(timeout, 0, ActionType::Lock), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);
        QCOMPARE(states(spy), QStringList({"r" + QString::number(timeout), "p" + QString::number(timeout), "s" + QString::number(timeout)}));
        QCOMPARE(m_effects->records().executions.size(), 1);
        QCOMPARE(m_effects->records().executions.at(0).action, qint32(ActionType::Lock));
    }

    void oddCountdownKeepsItsRemainder()
    {
        // 2500 ms: 1500, 500, then the action on the third tick.
        TimerWorker worker(countdown(2500), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);
        tick(worker);
        QVERIFY(m_effects->records().executions.isEmpty());
        tick(worker);
        QCOMPARE(states(spy), QStringList({"r2500", "r1500", "r500", "p500", "s2500"}));
        QCOMPARE(m_effects->records().executions.size(), 1);
    }

    void warnsOnTheExactTick()
    {
        TimerWorker worker(countdown(5000, 2000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker); // 4000
        tick(worker); // 3000
        QVERIFY(m_effects->records().warnings.isEmpty());
        tick(worker); // 2000: the warning
        QCOMPARE(m_effects->records().warnings.size(), 1);
        QCOMPARE(m_effects->records().warnings.at(0).title, QStringLiteral("Timer"));
        QCOMPARE(m_effects->records().warnings.at(0).body, QStringLiteral("The Shut Down action will be executed after 00:00:02"));
        for (int i = 0; i < 3; ++i) {
            tick(worker);
        }
        QCOMPARE(m_effects->records().executions.size(), 1);
        QCOMPARE(m_effects->records().warnings.size(), 1);
    }

    void unwatchedWakesOnlyWhenSomethingIsDue_data()
    {
        QTest::addColumn<quint64>("notify");
        QTest::addColumn<QList<qint64>>("wakes");
        QTest::addColumn<QStringList>("reports");
        QTest::newRow("saves and the action") << quint64(0) << QList<qint64>{60, 120, 151} << QStringList{"r150000", "r90000", "r30000", "p0", "s150000"};
        QTest::newRow("the warning between") << quint64(45000) << QList<qint64>{60, 105, 120, 151}
                                             << QStringList{"r150000", "r90000", "r45000", "r30000", "p0", "s150000"};
    }

    void unwatchedWakesOnlyWhenSomethingIsDue()
    {
        QFETCH(quint64, notify);
        QFETCH(QList<qint64>, wakes);
        QFETCH(QStringList, reports);
        TimerWorker worker(countdown(150000, notify), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        const auto *timer = worker.findChild<QTimer *>();
        worker.setWatched(false);
        const qint64 start = fakeNow;
        worker.start();
        QList<qint64> woke;
        while (m_effects->records().executions.isEmpty() && woke.size() < 10) {
            tick(worker, timer->interval());
            woke << (fakeNow - start) / 1000;
        }
        QCOMPARE(woke, wakes);
        QCOMPARE(states(spy), reports);
        QCOMPARE(m_effects->records().warnings.size(), notify == 0 ? 0 : 1);
        if (notify != 0) {
            QCOMPARE(m_effects->records().warnings.at(0).body, QStringLiteral("The Shut Down action will be executed after 00:00:45"));
        }
    }

    void watchedAgainReportsTheSecondItIsIn()
    {
        TimerWorker worker(countdown(150000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        const auto *timer = worker.findChild<QTimer *>();
        worker.setWatched(false);
        worker.start();
        fakeNow += 75500;
        worker.setWatched(true);
        QCOMPARE(states(spy), QStringList({"r150000", "r75000"}));
        // On the countdown's own seconds from there.
        QCOMPARE(timer->interval(), 500);
        tick(worker, 500);
        QCOMPARE(states(spy).last(), QStringLiteral("r74000"));
    }

    void leadsThatAreNeverMet_data()
    {
        QTest::addColumn<quint64>("timeout");
        QTest::addColumn<quint64>("notify");
        QTest::newRow("not a whole second apart") << quint64(5000) << quint64(2500);
        QTest::newRow("equal to the timeout") << quint64(5000) << quint64(5000);
        QTest::newRow("longer than the timeout") << quint64(5000) << quint64(9000);
    }

    void leadsThatAreNeverMet()
    {
        QFETCH(quint64, timeout);
        QFETCH(quint64, notify);
        TimerWorker worker(countdown(timeout, notify), m_effects, fakeClock);
        worker.start();
        for (int i = 0; i < 6; ++i) {
            tick(worker);
        }
        QCOMPARE(m_effects->records().executions.size(), 1);
        QVERIFY(m_effects->records().warnings.isEmpty());
    }

    void pauseAndStopWhenIdle()
    {
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        worker.preset()->timer().remainingTime = 3000;
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.pause();
        QCOMPARE(spy.count(), 0);
        QVERIFY(!worker.preset()->isPaused());
        worker.stop();
        QCOMPARE(states(spy), QStringList({"s5000"}));
    }

    void stopWhileRunningReportsTwice()
    {
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);
        worker.stop();
        QCOMPARE(states(spy), QStringList({"r5000", "r4000", "p4000", "s5000"}));
        QVERIFY(m_effects->records().executions.isEmpty());
    }

    void pauseKeepsTheRemainingTime()
    {
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);
        worker.pause();
        tick(worker); // a tick while paused does nothing
        worker.start();
        tick(worker);
        QCOMPARE(states(spy), QStringList({"r5000", "r4000", "p4000", "r4000", "r3000"}));
    }

    void startWhileRunningReportsAgain()
    {
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);
        worker.start();
        QCOMPARE(states(spy), QStringList({"r5000", "r4000", "r4000"}));
    }

    void followsTheGivenPreset()
    {
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);

        // A preset that is not running: the ticks do nothing.
        Preset::Ptr idle = countdown(5000);
        idle->timer().remainingTime = 2000;
        worker.setPreset(idle);
        tick(worker);
        QCOMPARE(spy.count(), 2);

        // A running one: counted down from its own remaining time.
        Preset::Ptr running = countdown(5000);
        running->markStarted();
        running->timer().remainingTime = 7000;
        worker.setPreset(running);
        tick(worker);
        QCOMPARE(states(spy).last(), QStringLiteral("r6000"));
    }

    void reportsAreCopies()
    {
        // What the store keeps must never change under it: every report is a
        // snapshot that the worker does not touch again.
        TimerWorker worker(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker);
        tick(worker);
        const Preset::Ptr first = reportAt(spy, 1);
        QVERIFY(first != worker.preset());
        QVERIFY(first != reportAt(spy, 2));
        QCOMPARE(first->timer().remainingTime, quint64(4000));
        QCOMPARE(worker.preset()->timer().remainingTime, quint64(3000));
        QCOMPARE(first->id(), worker.preset()->id());
    }

    void destructionStops()
    {
        auto worker = std::make_unique<TimerWorker>(countdown(5000), m_effects, fakeClock);
        QSignalSpy spy(worker.get(), &AbstractWorker::updatePreset);
        worker->start();
        tick(*worker);
        worker.reset();
        QCOMPARE(states(spy), QStringList({"r5000", "r4000", "p4000", "s5000"}));
        QVERIFY(m_effects->records().executions.isEmpty());
    }

    void remainingTimeText_data()
    {
        QTest::addColumn<quint64>("msecs");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << quint64(0) << "00:00:00";
        QTest::newRow("part of a second") << quint64(999) << "00:00:00";
        QTest::newRow("one second") << quint64(1000) << "00:00:01";
        QTest::newRow("five minutes") << quint64(300000) << "00:05:00";
        QTest::newRow("last second of a day") << quint64(86399000) << "23:59:59";
        QTest::newRow("a day") << quint64(86400000) << "24:00:00";
        QTest::newRow("25 hours") << quint64(90000000) << "25:00:00";
        QTest::newRow("100 hours and a bit") << quint64(360061000) << "100:01:01";
    }

    void remainingTimeText()
    {
        QFETCH(quint64, msecs);
        QFETCH(QString, text);
        QCOMPARE(TimerWorker::remainingTimeText(msecs), text);
    }

    void warningTextBeyondADay()
    {
        TimerWorker worker(countdown(90001000, 90000000, ActionType::Reboot), m_effects, fakeClock);
        worker.start();
        tick(worker);
        QCOMPARE(m_effects->records().warnings.size(), 1);
        QCOMPARE(m_effects->records().warnings.at(0).body, QStringLiteral("The Reboot action will be executed after 25:00:00"));
    }

    void stallsNeitherStretchNorRepeat_data()
    {
        // A 10 s countdown warned 4 s before, woken up once, after a stall.
        QTest::addColumn<qint64>("wokenAt"); // ms after the start
        QTest::addColumn<QString>("reports"); // after the start's
        QTest::addColumn<int>("warnings");
        QTest::addColumn<int>("executions");
        QTest::addColumn<int>("told");
        QTest::newRow("seconds swallowed: one step") << qint64(3500) << "r7000" << 0 << 0 << 0;
        QTest::newRow("across the warning: late, once") << qint64(7200) << "r3000" << 1 << 0 << 0;
        QTest::newRow("ran out 30 s ago: carried out") << qint64(41000) << "p0 s10000" << 0 << 1 << 0;
        QTest::newRow("ran out a minute ago: carried out") << qint64(71000) << "p0 s10000" << 0 << 1 << 0;
        QTest::newRow("ran out longer ago: skipped, told") << qint64(71001) << "p0 s10000" << 0 << 0 << 1;
    }

    void stallsNeitherStretchNorRepeat()
    {
        QFETCH(qint64, wokenAt);
        QFETCH(QString, reports);
        QFETCH(int, warnings);
        QFETCH(int, executions);
        QFETCH(int, told);
        TimerWorker worker(countdown(10000, 4000, ActionType::Lock), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        tick(worker, wokenAt);
        QCOMPARE(states(spy).mid(1).join(' '), reports);
        QCOMPARE(m_effects->records().warnings.size(), warnings);
        QCOMPARE(m_effects->records().executions.size(), executions);
        const auto failures = m_effects->records().failures;
        QCOMPARE(failures.size(), told);
        if (told) {
            QCOMPARE(failures.at(0).action, qint32(ActionType::Lock));
            QCOMPARE(failures.at(0).reason, ActionFailure::Reason::Skipped);
        }
    }

    void choicesOnTheWarning_data()
    {
        QTest::addColumn<QString>("what"); // a choice, or what happens to the preset
        QTest::addColumn<QString>("reports"); // after the warning's
        QTest::newRow("cancel") << "Cancel"
                                << "p4000 s10000";
        QTest::newRow("postpone") << "Postpone 10 minutes"
                                  << "r604000 r603000";
        QTest::newRow("paused") << "pause"
                                << "p4000";
        QTest::newRow("changed") << "setPreset"
                                 << "";
    }

    void choicesOnTheWarning()
    {
        // A 10 s countdown warned 4 s before.
        QFETCH(QString, what);
        QFETCH(QString, reports);
        TimerWorker worker(countdown(10000, 4000), m_effects, fakeClock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        for (int i = 0; i < 6; ++i) {
            tick(worker);
        }
        const RecordingEffects::Warning warning = m_effects->records().warnings.value(0);
        QCOMPARE(warning.choices, QStringList({"Cancel", "Postpone 10 minutes"}));
        const int before = spy.count();
        if (what == QLatin1String("pause")) {
            worker.pause();
        } else if (what == QLatin1String("setPreset")) {
            worker.setPreset(Preset::make(*worker.preset()));
        } else {
            m_effects->choose(warning.id, warning.choices.indexOf(what));
            tick(worker);
        }
        QCOMPARE(m_effects->records().withdrawn, QVector<quint32>({warning.id}));
        QCOMPARE(states(spy).mid(before).join(' '), reports);
        // Withdrawn: a choice from it does nothing any more.
        m_effects->choose(warning.id, 0);
        QCOMPARE(states(spy).mid(before).join(' '), reports);
        QVERIFY(m_effects->records().executions.isEmpty());
    }

    void armsItsTimerForTheNextSecond_data()
    {
        // A 10 s countdown woken up at these moments after its start (a
        // timer may wake up a little early or late): which second it reports
        // and when it wakes up next. The seconds are counted from the start,
        // so that waking up late never shifts the ones after.
        QTest::addColumn<QVector<qint64>>("wokenAt");
        QTest::addColumn<QString>("reports"); // after the start's
        QTest::addColumn<qint64>("next"); // ms after the last wake-up
        QTest::newRow("on time") << QVector<qint64>{1000, 2000} << "r9000 r8000" << qint64(1000);
        QTest::newRow("late, then back on the second") << QVector<qint64>{1030, 2000} << "r9000 r8000" << qint64(1000);
        QTest::newRow("late") << QVector<qint64>{1030} << "r9000" << qint64(970);
        QTest::newRow("a little early: the second has ended") << QVector<qint64>{996} << "r9000" << qint64(1004);
        QTest::newRow("too early: not yet") << QVector<qint64>{990} << "" << qint64(10);
        QTest::newRow("the last second: the action follows") << QVector<qint64>{10000} << "r0" << qint64(1000);
    }

    void armsItsTimerForTheNextSecond()
    {
        QFETCH(QVector<qint64>, wokenAt);
        QFETCH(QString, reports);
        QFETCH(qint64, next);
        TimerWorker worker(countdown(10000), m_effects, fakeClock);
        auto *timer = worker.findChild<QTimer *>();
        QVERIFY(timer);
        // A coarse timer may wake up 5 % off; the countdown needs its millisecond.
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        const qint64 startedAt = fakeNow;
        worker.start();
        QCOMPARE(timer->interval(), 1000);
        for (const qint64 at : wokenAt) {
            tick(worker, startedAt + at - fakeNow);
        }
        QCOMPARE(states(spy).mid(1).join(' '), reports);
        QVERIFY(timer->isActive());
        QCOMPARE(qint64(timer->interval()), next);
    }
};

ZEL_TEST_MAIN(TimerWorkerTest)

#include "timerworkertest.moc"
