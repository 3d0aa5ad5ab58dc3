// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The scheduled worker against the real clock: it ticks once in every second
// and fires in the second of an occurrence, exactly once.

#include "scheduledworker.h"
#include "recordingeffects.h"
#include "zeltest.h"

#include <QSignalSpy>

namespace
{
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

QDateTime wholeSecond(const QDateTime &dateTime)
{
    return dateTime.addMSecs(-dateTime.time().msec());
}

// Waits until the current second has at least 200 ms left, so that a test
// can act within one second.
QDateTime earlyInASecond()
{
    while (QTime::currentTime().msec() > 500) {
        QThread::msleep(20);
    }
    return wholeSecond(QDateTime::currentDateTime());
}

QString runState(const Preset::Ptr &preset)
{
    return preset->isRunning() ? "running" : preset->isPaused() ? "paused" : "stopped";
}
} // namespace

class ScheduledWorkerTest : public QObject
{
    Q_OBJECT

    std::shared_ptr<RecordingEffects> m_effects;

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<Preset::Ptr>("Preset::Ptr"); }

    void init() { m_effects = std::make_shared<RecordingEffects>(); }

    void firesOnceInItsSecond()
    {
        const QDateTime start = wholeSecond(QDateTime::currentDateTime()).addSecs(2);
        ScheduledWorker worker(schedule(start, start, RepeatType::Never, 1000), m_effects);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(runState(spy.at(0).at(0).value<Preset::Ptr>()), QStringLiteral("running"));

        // Fires in the start's second and, none remaining, ends the schedule.
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 5000);
        QCOMPARE(runState(spy.at(1).at(0).value<Preset::Ptr>()), QStringLiteral("stopped"));
        const auto executions = m_effects->executions();
        QCOMPARE(executions.size(), 1);
        QCOMPARE(executions.at(0).action, qint32(ActionType::Lock));
        QCOMPARE(wholeSecond(executions.at(0).at), start);

        // The warning came exactly one second before.
        const auto warnings = m_effects->warnings();
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.at(0).title, QStringLiteral("Schedule"));
        QCOMPARE(warnings.at(0).body, QStringLiteral("The Lock action will be executed soon"));
        QCOMPARE(wholeSecond(warnings.at(0).at), start.addSecs(-1));

        QTest::qWait(1200);
        QCOMPARE(m_effects->executions().size(), 1);
    }

    void warnsAtOnceWhenStartedInsideTheLead()
    {
        const QDateTime start = wholeSecond(QDateTime::currentDateTime()).addSecs(2);
        ScheduledWorker worker(schedule(start, start.addDays(1), RepeatType::Never, 60000), m_effects);
        worker.start();
        QCOMPARE(m_effects->warnings().size(), 1);
        worker.pause();
        worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 1, 5000);
        // Once for the occurrence, however often started.
        QCOMPARE(m_effects->warnings().size(), 1);
    }

    void dailyOccurrenceFiresOnce()
    {
        // A daily schedule that began days ago, due two seconds from now.
        const QDateTime due = wholeSecond(QDateTime::currentDateTime()).addSecs(2);
        if (due.date() != QDate::currentDate()) {
            QSKIP("too close to midnight");
        }
        ScheduledWorker worker(schedule(due.addDays(-3), due.addDays(30), RepeatType::EveryDay), m_effects);
        worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 1, 5000);
        QCOMPARE(wholeSecond(m_effects->executions().at(0).at), due);
        QTest::qWait(2100);
        QCOMPARE(m_effects->executions().size(), 1);
    }

    void restartWithinTheSameSecondDoesNotFireTwice()
    {
        const QDateTime now = earlyInASecond();
        ScheduledWorker worker(schedule(now, now.addDays(1), RepeatType::Never), m_effects);
        worker.start(); // the start's second: fires
        QCOMPARE(m_effects->executions().size(), 1);
        worker.pause();
        worker.start(); // the same second again
        worker.stop();
        worker.start();
        QCOMPARE(m_effects->executions().size(), 1);
        QTest::qWait(1300);
        QCOMPARE(m_effects->executions().size(), 1);
    }

    void startAfterTheEndStops()
    {
        const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
        ScheduledWorker worker(schedule(past.addSecs(-60), past, RepeatType::EveryDay), m_effects);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        QCOMPARE(spy.count(), 2);
        QCOMPARE(runState(spy.at(0).at(0).value<Preset::Ptr>()), QStringLiteral("running"));
        QCOMPARE(runState(spy.at(1).at(0).value<Preset::Ptr>()), QStringLiteral("stopped"));
        QVERIFY(m_effects->executions().isEmpty());
    }

    void resumedAfterItsOnlyTimeItStops()
    {
        // Paused before its time and started again after it: nothing is left
        // to do, and it says so by stopping; the time passed is not made up.
        const QDateTime start = wholeSecond(QDateTime::currentDateTime()).addSecs(1);
        ScheduledWorker worker(schedule(start, start.addSecs(60), RepeatType::Never), m_effects);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        worker.pause();
        QTest::qWait(2100);
        worker.start();
        QCOMPARE(runState(spy.last().at(0).value<Preset::Ptr>()), QStringLiteral("stopped"));
        QVERIFY(m_effects->executions().isEmpty());
        QVERIFY(m_effects->warnings().isEmpty());
    }

    void pauseHaltsTheTicks()
    {
        const QDateTime start = wholeSecond(QDateTime::currentDateTime()).addSecs(2);
        ScheduledWorker worker(schedule(start, start.addDays(1), RepeatType::Never), m_effects);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        worker.pause();
        QCOMPARE(runState(spy.last().at(0).value<Preset::Ptr>()), QStringLiteral("paused"));
        QTest::qWait(3000);
        QVERIFY(m_effects->executions().isEmpty());
    }

    void givenScheduleAppliesAtTheNextTick()
    {
        const QDateTime now = wholeSecond(QDateTime::currentDateTime());
        ScheduledWorker worker(schedule(now.addSecs(3600), now.addDays(1), RepeatType::Never), m_effects);
        worker.start();
        // Moved to two seconds from now: applies at once.
        const QDateTime start = now.addSecs(2);
        Preset::Ptr moved = schedule(start, start.addDays(1), RepeatType::Never);
        moved->markStarted();
        worker.setPreset(moved);
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 1, 5000);
        QCOMPARE(wholeSecond(m_effects->executions().at(0).at), start);

        // Given as not running (as the store has it), it falls idle.
        m_effects = std::make_shared<RecordingEffects>();
        const QDateTime later = wholeSecond(QDateTime::currentDateTime()).addSecs(2);
        worker.setPreset(schedule(later, later.addDays(1), RepeatType::Never));
        worker.start();
        worker.setPreset(schedule(later, later.addDays(1), RepeatType::Never));
        QTest::qWait(3000);
        QVERIFY(m_effects->executions().isEmpty());
    }
};

ZEL_TEST_MAIN(ScheduledWorkerTest)

#include "scheduledworkertest.moc"
