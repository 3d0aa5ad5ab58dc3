// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The range worker against the real clock.

#include "rangeworker.h"
#include "fakeactions.h"
#include "zeltest.h"

#include <QElapsedTimer>
#include <QSignalSpy>

namespace
{
constexpr double wholeDayEnd = 24 * 3600 * 1000 - 1;

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
} // namespace

class RangeWorkerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<Preset::Ptr>("Preset::Ptr"); }

    void init() { FakeActions::reset(); }

    void repeatsInsideTheWindow()
    {
        RangeWorker worker(range(0, wholeDayEnd, 1000));
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        QElapsedTimer clock;
        clock.start();
        worker.start();
        QCOMPARE(spy.count(), 1);
        // Not at once: one regularity after the start.
        QTest::qWait(700);
        QVERIFY(FakeActions::executions().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(FakeActions::executions().size(), 2, 4000);
        QVERIFY(clock.elapsed() >= 1990);
        worker.stop();
        QCOMPARE(spy.count(), 2);
        QTest::qWait(1200);
        QCOMPARE(FakeActions::executions().size(), 2);
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
        QFETCH(double, regularity);
        RangeWorker worker(range(0, wholeDayEnd, regularity));
        worker.start();
        QTest::qWait(2500);
        // One execution a second: not a flood, and not silently idle.
        const int count = FakeActions::executions().size();
        QVERIFY2(count >= 1 && count <= 2, qPrintable(QString::number(count)));
    }

    void emptyWindowsNeverFire()
    {
        // start after end (would cross midnight), and times past the day's end
        RangeWorker crossing(range(wholeDayEnd, 0, 1000));
        RangeWorker beyond(range(90000000, 95000000, 1000));
        crossing.start();
        beyond.start();
        QTest::qWait(2600);
        QVERIFY(FakeActions::executions().isEmpty());
    }

    void anEditedWindowAppliesWithoutRestart()
    {
        RangeWorker worker(range(wholeDayEnd, 0, 1000));
        worker.start();
        QTest::qWait(1500);
        QVERIFY(FakeActions::executions().isEmpty());
        worker.setPreset(running(range(0, wholeDayEnd, 1000)));
        QTRY_VERIFY_WITH_TIMEOUT(!FakeActions::executions().isEmpty(), 2500);
    }

    void aPresetThatIsNotRunningFallsIdle()
    {
        RangeWorker worker(range(0, wholeDayEnd, 1000));
        worker.start();
        worker.setPreset(range(0, wholeDayEnd, 1000));
        QTest::qWait(2500);
        QVERIFY(FakeActions::executions().isEmpty());
        // A start arms it again.
        worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(FakeActions::executions().size(), 1, 2500);
    }
};

ZEL_TEST_MAIN(RangeWorkerTest)

#include "rangeworkertest.moc"
