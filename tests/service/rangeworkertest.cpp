// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The range worker on a fake wall clock: it acts in the seconds that the
// window's rules give, never in the second it is started.

#include "rangeworker.h"
#include "fakewallclock.h"
#include "recordingeffects.h"
#include "zeltest.h"

#include <QSignalSpy>

using FakeWallClock::runUntil;

namespace
{
constexpr double wholeDayEnd = 24 * 3600 * 1000 - 1;
// A Tuesday morning, a little into a second.
const QDateTime t0(QDate(2026, 3, 10), QTime(10, 0, 0, 300));
const QDateTime second0(QDate(2026, 3, 10), QTime(10, 0, 0));

Preset::Ptr range(double start, double end, double regularity)
{
    return Preset::make(QJsonObject{
        {"preset_id", "{00000000-0000-0000-0000-0000000000e1}"},
        {"preset_type", PresetType::Range},
        {"action_type", ActionType::Lock},
        {"interval", QJsonObject{{"start", start}, {"end", end}, {"regularity", regularity}}},
    });
}

Preset::Ptr running(Preset::Ptr preset)
{
    preset->markStarted();
    return preset;
}

double sinceMidnight(const QDateTime &dateTime)
{
    return dateTime.time().msecsSinceStartOfDay();
}

// A window that opens an hour after t0's second and lasts an hour.
Preset::Ptr anHourAhead()
{
    return range(sinceMidnight(second0.addSecs(3600)), sinceMidnight(second0.addSecs(7200)), 1000);
}
} // namespace

class RangeWorkerTest : public QObject
{
    Q_OBJECT

    std::shared_ptr<RecordingEffects> m_effects;

    QStringList executedAt() const
    {
        QStringList result;
        for (const auto &execution : m_effects->records().executions) {
            result << execution.at.toString(QStringLiteral("hh:mm:ss.zzz"));
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

    void repeatsInsideTheWindow()
    {
        RangeWorker worker(range(0, wholeDayEnd, 1000), m_effects, FakeWallClock::clock);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        worker.start();
        QCOMPARE(spy.count(), 1);
        // Never in the second of starting; then once in each second.
        runUntil(worker, t0.addMSecs(2000));
        QCOMPARE(executedAt(), QStringList({"10:00:01.000", "10:00:02.000"}));
        worker.stop();
        QCOMPARE(spy.count(), 2);
        QVERIFY(!FakeWallClock::wakeAt(worker).isValid());
    }

    void actsAtItsOpening()
    {
        // Opens two seconds from now, acts every 5 minutes until a minute later.
        const QDateTime opening = second0.addSecs(2);
        RangeWorker worker(range(sinceMidnight(opening), sinceMidnight(opening.addSecs(60)), 300000), m_effects, FakeWallClock::clock);
        worker.start();
        runUntil(worker, opening.addSecs(3600));
        QCOMPARE(executedAt(), QStringList({"10:00:02.000"}));
    }

    void shortRegularitiesAreRaisedToASecond_data()
    {
        QTest::addColumn<double>("regularity");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -500.0;
        QTest::newRow("10 ms") << 10.0;
    }

    void shortRegularitiesAreRaisedToASecond()
    {
        // One execution a second: not a flood, and not silently idle.
        QFETCH(double, regularity);
        RangeWorker worker(range(0, wholeDayEnd, regularity), m_effects, FakeWallClock::clock);
        worker.start();
        runUntil(worker, t0.addMSecs(2500));
        QCOMPARE(executedAt(), QStringList({"10:00:01.000", "10:00:02.000"}));
    }

    void windowsElsewhereDoNotAct()
    {
        RangeWorker beyond(range(90000000, 95000000, 1000), m_effects, FakeWallClock::clock); // past the day's end
        beyond.start();
        runUntil(beyond, t0.addDays(2));
        QVERIFY(m_effects->records().executions.isEmpty());

        FakeWallClock::now = t0;
        RangeWorker ahead(anHourAhead(), m_effects, FakeWallClock::clock);
        ahead.start();
        runUntil(ahead, second0.addSecs(3599));
        QVERIFY(m_effects->records().executions.isEmpty());
        runUntil(ahead, second0.addSecs(3600));
        QCOMPARE(executedAt(), QStringList({"11:00:00.000"}));
    }

    void anEditedWindowAppliesWithoutRestart()
    {
        RangeWorker worker(anHourAhead(), m_effects, FakeWallClock::clock);
        worker.start();
        runUntil(worker, t0.addMSecs(1500));
        QVERIFY(m_effects->records().executions.isEmpty());
        // Its second since the start has just passed: carried out late.
        worker.setPreset(running(range(0, wholeDayEnd, 1000)));
        runUntil(worker, t0.addMSecs(2000));
        QCOMPARE(executedAt(), QStringList({"10:00:01.800", "10:00:02.000"}));
    }

    void aPresetThatIsNotRunningFallsIdle()
    {
        RangeWorker worker(range(0, wholeDayEnd, 1000), m_effects, FakeWallClock::clock);
        worker.start();
        worker.setPreset(range(0, wholeDayEnd, 1000));
        QVERIFY(!FakeWallClock::wakeAt(worker).isValid());
        runUntil(worker, t0.addMSecs(2500));
        QVERIFY(m_effects->records().executions.isEmpty());
        // A start arms it again, from the second after.
        worker.start();
        runUntil(worker, t0.addMSecs(3000));
        QCOMPARE(executedAt(), QStringList({"10:00:03.000"}));
    }
};

ZEL_TEST_MAIN(RangeWorkerTest)

#include "rangeworkertest.moc"
