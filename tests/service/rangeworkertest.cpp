// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The range worker against the real clock: it acts in the seconds that the
// window's rules give, never in the second it is started.

#include "rangeworker.h"
#include "recordingeffects.h"
#include "zeltest.h"

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

QDateTime wholeSecond(const QDateTime &dateTime)
{
    return dateTime.addMSecs(-dateTime.time().msec());
}

double sinceMidnight(const QDateTime &dateTime)
{
    return dateTime.time().msecsSinceStartOfDay();
}

// A window that opens an hour from now and lasts an hour.
Preset::Ptr anHourAhead()
{
    const QDateTime now = QDateTime::currentDateTime();
    return range(sinceMidnight(now.addSecs(3600)), sinceMidnight(now.addSecs(7200)), 1000);
}
} // namespace

class RangeWorkerTest : public QObject
{
    Q_OBJECT

    std::shared_ptr<RecordingEffects> m_effects;

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<Preset::Ptr>("Preset::Ptr"); }

    void init() { m_effects = std::make_shared<RecordingEffects>(); }

    void repeatsInsideTheWindow()
    {
        RangeWorker worker(range(0, wholeDayEnd, 1000), m_effects);
        QSignalSpy spy(&worker, &AbstractWorker::updatePreset);
        const QDateTime started = wholeSecond(QDateTime::currentDateTime());
        worker.start();
        QCOMPARE(spy.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 2, 4000);
        // Never in the second of starting; then once in each second.
        const auto executions = m_effects->executions();
        const QDateTime first = wholeSecond(executions.at(0).at);
        QVERIFY(first > started);
        QCOMPARE(wholeSecond(executions.at(1).at), first.addSecs(1));
        worker.stop();
        QCOMPARE(spy.count(), 2);
        QTest::qWait(1200);
        QCOMPARE(m_effects->executions().size(), 2);
    }

    void actsAtItsOpening()
    {
        const QDateTime opening = wholeSecond(QDateTime::currentDateTime()).addSecs(2);
        if (opening.date() != QDate::currentDate()) {
            QSKIP("too close to midnight");
        }
        // Opens two seconds from now, acts every 5 minutes until a minute later.
        RangeWorker worker(range(sinceMidnight(opening), sinceMidnight(opening.addSecs(60)), 300000), m_effects);
        worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 1, 5000);
        QCOMPARE(wholeSecond(m_effects->executions().at(0).at), opening);
        QTest::qWait(1500);
        QCOMPARE(m_effects->executions().size(), 1);
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
        RangeWorker worker(range(0, wholeDayEnd, regularity), m_effects);
        worker.start();
        QTest::qWait(2500);
        // One execution a second: not a flood, and not silently idle.
        const int count = m_effects->executions().size();
        QVERIFY2(count >= 1 && count <= 3, qPrintable(QString::number(count)));
    }

    void windowsElsewhereDoNotAct()
    {
        RangeWorker ahead(anHourAhead(), m_effects);
        RangeWorker beyond(range(90000000, 95000000, 1000), m_effects); // past the day's end
        ahead.start();
        beyond.start();
        QTest::qWait(2600);
        QVERIFY(m_effects->executions().isEmpty());
    }

    void anEditedWindowAppliesWithoutRestart()
    {
        RangeWorker worker(anHourAhead(), m_effects);
        worker.start();
        QTest::qWait(1500);
        QVERIFY(m_effects->executions().isEmpty());
        worker.setPreset(running(range(0, wholeDayEnd, 1000)));
        QTRY_VERIFY_WITH_TIMEOUT(!m_effects->executions().isEmpty(), 2500);
    }

    void aPresetThatIsNotRunningFallsIdle()
    {
        RangeWorker worker(range(0, wholeDayEnd, 1000), m_effects);
        worker.start();
        worker.setPreset(range(0, wholeDayEnd, 1000));
        QTest::qWait(2500);
        QVERIFY(m_effects->executions().isEmpty());
        // A start arms it again.
        worker.start();
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 1, 2500);
    }
};

ZEL_TEST_MAIN(RangeWorkerTest)

#include "rangeworkertest.moc"
