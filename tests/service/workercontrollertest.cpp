// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The worker framework with the real store: workers follow the presets, the
// commands reach them, their reports reach the store, and a fired countdown
// is on disk before its action runs. The countdowns run on a clock of the
// test's own, and the test wakes them up as their timers would.

#include "workercontroller.h"
#include "recordingeffects.h"
#include "storage.h"
#include "zeltest.h"

#include <QFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace
{
const QString idA = QStringLiteral("{0a000000-0000-0000-0000-0000000000a1}");
const QString idB = QStringLiteral("{0b000000-0000-0000-0000-0000000000b2}");

Preset::Ptr timer(const QString &id, quint64 timeout, bool running = false, bool paused = false)
{
    return Preset::make(QJsonObject{
        {"preset_id", id},
        {"preset_type", PresetType::Timer},
        {"action_type", ActionType::Shutdown},
        {"preset_running", running},
        {"preset_paused", paused},
        {"timer", QJsonObject{{"timeout", double(timeout)}}},
    });
}

Preset::Ptr withType(const QString &id, int type)
{
    return Preset::make(QJsonObject{{"preset_id", id}, {"preset_type", type}, {"timer", QJsonObject{{"timeout", 60000}}}});
}

Preset::Ptr stored(const Storage &storage, const QString &id)
{
    for (const Preset::Ptr &preset : storage.presets()) {
        if (preset->id().toString() == id) {
            return preset;
        }
    }
    return nullptr;
}

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QStringLiteral("/velmora-test/") + QCoreApplication::applicationName() +
        QStringLiteral(".conf");
}

// The entry as the settings file on disk holds it right now, read from a copy
// of the file so that no settings cache of this process is consulted.
QJsonObject entryOnDisk(const QString &id)
{
    static QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("copy.conf"));
    QFile::remove(copy);
    if (!QFile::copy(settingsPath(), copy)) {
        return {};
    }
    QSettings settings(copy, QSettings::IniFormat);
    return settings.value(id).toJsonObject();
}

QStringList messages;
QtMessageHandler previousHandler = nullptr;

void recordMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "ru.velmora.shutdown.scheduler.service.WorkerController") == 0) {
        messages << text;
    }
    previousHandler(type, context, text);
}

// Handles every event posted so far: what a worker sent on its way out.
void handlePostedEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The countdown workers the controller makes, found as they are made: the
// timer a countdown makes in its constructor is announced to it by a
// ChildAdded event, which an application-wide event filter sees.
class CountdownFinder : public QObject
{
public:
    QList<QPointer<QObject>> workers;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded && qobject_cast<TimerWorker *>(watched) && !workers.contains(watched)) {
            workers << watched;
        }
        return false;
    }
};
} // namespace

class WorkerControllerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Storage> m_storage;
    std::shared_ptr<RecordingEffects> m_effects;
    std::unique_ptr<WorkerController> m_controller;
    // The countdowns' clock, in milliseconds: it moves only by a tick or by
    // a stall of the main thread that a test makes. Read and changed on the
    // main thread only, where the workers look at it.
    qint64 m_now = 0;
    CountdownFinder m_countdowns;

    void makeController()
    {
        m_controller = std::make_unique<WorkerController>(m_storage.get(), m_effects, nullptr, [this] { return m_now; });
    }

    // A second of the clock passes and the countdowns' timers wake them up,
    // as the real timers would: after everything due before it is handled
    // (the commands posted to a worker, a timer armed to fire at once). A
    // countdown that is not due is woken up too, which a worker takes as a
    // timer that woke up early: it counts only the seconds its clock says
    // have passed.
    void tick()
    {
        handlePostedEvents();
        m_now += 1000;
        for (const QPointer<QObject> &worker : qAsConst(m_countdowns.workers)) {
            if (worker) {
                QVERIFY(QMetaObject::invokeMethod(worker, "onTimeout", Qt::QueuedConnection));
            }
        }
    }

    // The command matched no worker: answered at once, and nothing was sent.
    void verifyNoWorker(const QString &uuid)
    {
        bool done = false;
        messages.clear();
        m_controller->start(uuid, [&done] { done = true; });
        QVERIFY2(done, qPrintable(uuid));
        QVERIFY(!messages.join('\n').contains(QStringLiteral("Sending command")));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QStringLiteral("/tmp/")));
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-test"));
        qRegisterMetaType<Preset::Ptr>("Preset::Ptr");
        QLoggingCategory::setFilterRules(QStringLiteral("ru.velmora.shutdown.scheduler.service.WorkerController.debug=true"));
        previousHandler = qInstallMessageHandler(recordMessage);
        QCoreApplication::instance()->installEventFilter(&m_countdowns);
    }

    void init()
    {
        QFile::remove(settingsPath());
        m_effects = std::make_shared<RecordingEffects>();
        m_now = 1000000;
        m_countdowns.workers.clear();
        messages.clear();
        m_storage = std::make_unique<Storage>(nullptr);
    }

    void cleanup()
    {
        m_controller.reset();
        m_storage.reset();
    }

    void startUpStartsRunningPresetsOnly()
    {
        m_storage->updatePreset(timer(idA, 60000, true));
        m_storage->updatePreset(timer(idB, 60000, false, true));
        m_storage->updatePreset(withType(QStringLiteral("{0c000000-0000-0000-0000-0000000000c3}"), PresetType::Undefined));
        QSignalSpy spy(m_storage.get(), &Storage::presetUpdated);
        makeController();
        QVERIFY(messages.contains(QStringLiteral("setupTimer")));
        tick();
        QTRY_VERIFY(stored(*m_storage, idA)->timer().remainingTime == 59000);
        QVERIFY(stored(*m_storage, idA)->isRunning());
        for (const QList<QVariant> &args : spy) {
            QCOMPARE(args.at(0).value<Preset::Ptr>()->id().toString(), idA);
        }
        QVERIFY(stored(*m_storage, idB)->isPaused());
    }

    void commandsMatchTheExactText()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000));
        QSignalSpy spy(m_storage.get(), &Storage::presetUpdated);
        verifyNoWorker(idA.toUpper());
        verifyNoWorker(idA.mid(1, 36));
        verifyNoWorker(QStringLiteral("{0c000000-0000-0000-0000-0000000000c3}"));
        handlePostedEvents();
        QCOMPARE(spy.count(), 0);

        // Two commands in a row are carried out in order.
        m_controller->start(idA);
        m_controller->pause(idA);
        QTRY_COMPARE(spy.count(), 2);
        QVERIFY(spy.at(0).at(0).value<Preset::Ptr>()->isRunning());
        QVERIFY(spy.at(1).at(0).value<Preset::Ptr>()->isPaused());
        QVERIFY(messages.contains(QStringLiteral("Sending command start for preset \"%1\"").arg(idA)));
        QVERIFY(messages.contains(QStringLiteral("Sending command pause for preset \"%1\"").arg(idA)));
    }

    void undefinedPresetsGetNoWorker()
    {
        makeController();
        m_storage->updatePreset(withType(idA, PresetType::Undefined));
        // Not even once it is given a real type by an update.
        m_storage->updatePreset(withType(idA, PresetType::Timer));
        verifyNoWorker(idA);
    }

    void typeChangeReplacesTheWorker()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000));
        m_storage->updatePreset(timer(idB, 60000));
        m_controller->start(idA);
        QTRY_VERIFY(stored(*m_storage, idA)->isRunning());

        QSignalSpy spy(m_storage.get(), &Storage::presetUpdated);
        m_storage->updatePreset(withType(idA, PresetType::Range));
        QVERIFY(messages.contains(QStringLiteral("Type for preset QUuid(\"%1\") changed! Remove worker and create new one!").arg(idA)));
        QCOMPARE(messages.last(), QStringLiteral("setupRange"));
        handlePostedEvents();
        QCOMPARE(stored(*m_storage, idA)->presetType(), qint32(PresetType::Range));
        QVERIFY(!stored(*m_storage, idA)->isRunning());

        // The new worker takes the commands.
        m_controller->start(idA);
        QTRY_VERIFY(stored(*m_storage, idA)->isRunning());
        QCOMPARE(stored(*m_storage, idA)->presetType(), qint32(PresetType::Range));
        // The countdown's last reports (it is stopped on its way out) never
        // turned the preset back into a countdown.
        for (const QList<QVariant> &args : spy) {
            const Preset::Ptr preset = args.at(0).value<Preset::Ptr>();
            QVERIFY(preset->id().toString() != idA || preset->presetType() == PresetType::Range);
        }

        // A change to Undefined leaves no worker.
        m_storage->updatePreset(withType(idA, PresetType::Undefined));
        verifyNoWorker(idA);
    }

    void removingARunningPresetEndsItsWorker()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000, true));
        tick();
        QTRY_COMPARE(stored(*m_storage, idA)->timer().remainingTime, quint64(59000));
        m_storage->removePreset(QUuid::fromString(idA));
        QVERIFY(messages.contains(QStringLiteral("onPresetRemoved QUuid(\"%1\")").arg(idA)));
        // Nothing that the worker sent on its way out brings the preset back.
        handlePostedEvents();
        QCOMPARE(m_storage->getAll(), QStringLiteral("[]"));
        QVERIFY(entryOnDisk(idA).isEmpty());
        verifyNoWorker(idA);
        m_storage->removePreset(QUuid::fromString(idA)); // matches no worker any more
    }

    void aLateEchoDoesNotRewindTheCountdown()
    {
        // The main thread is held up (the countdowns' clock jumps) while it
        // handles the countdown's first second: before the worker controller
        // sees the store's announcement (so that it would hand the report back
        // late) and after it. Handing the worker its own old report would set
        // it back, and a value would be reported twice; the stall itself must
        // not stretch the countdown (the seconds it swallowed are reported as
        // one step).
        const auto stallOnFirstTick = [this](bool *done) {
            return [this, done](const Preset::Ptr &preset) {
                if (!*done && preset->isRunning() && preset->timer().remainingTime == 9000) {
                    *done = true;
                    m_now += 1300;
                }
            };
        };
        bool stalledBefore = false;
        bool stalledAfter = false;
        connect(m_storage.get(), &Storage::presetUpdated, this, stallOnFirstTick(&stalledBefore));
        makeController();
        connect(m_storage.get(), &Storage::presetUpdated, this, stallOnFirstTick(&stalledAfter));
        QVector<quint64> remaining;
        connect(m_storage.get(), &Storage::presetUpdated, this, [&remaining](const Preset::Ptr &preset) {
            if (preset->isRunning()) {
                remaining << preset->timer().remainingTime;
            }
        });
        m_storage->updatePreset(timer(idA, 10000, true));
        tick();
        tick();
        // The next wake-up came a second after the first, 2.6 s of stall
        // later: four seconds are counted then, as one step.
        QTRY_COMPARE(remaining, QVector<quint64>({10000, 9000, 6000}));
    }

    void anUpdateFromTheBusReachesTheWorker()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000, true));
        tick();
        QTRY_COMPARE(stored(*m_storage, idA)->timer().remainingTime, quint64(59000));
        Preset::Ptr edited = timer(idA, 60000, true);
        edited->timer().remainingTime = 30000;
        edited->setName(QStringLiteral("edited"));
        m_storage->updatePreset(edited);
        tick();
        QTRY_COMPARE(stored(*m_storage, idA)->timer().remainingTime, quint64(29000));
        QCOMPARE(stored(*m_storage, idA)->name(), QStringLiteral("edited"));
        // The store's objects are never changed behind its back.
        QCOMPARE(edited->timer().remainingTime, quint64(30000));
    }

    void aFiredCountdownIsOnDiskBeforeItsAction()
    {
        makeController();
        QJsonObject atAction;
        bool actionDone = false;
        m_effects->setOnCarryOut([&](qint32) {
            atAction = entryOnDisk(idA);
            actionDone = true;
        });
        m_storage->updatePreset(timer(idA, 500, true));
        m_storage->writePending();
        QCOMPARE(entryOnDisk(idA).value("preset_running").toBool(), true);
        tick();
        QTRY_VERIFY(actionDone);
        // Started on the main thread, which no action holds up.
        QCOMPARE(m_effects->records().executions.at(0).thread, QThread::currentThreadId());
        QCOMPARE(atAction.value("preset_running").toBool(), false);
        QCOMPARE(atAction.value("preset_paused").toBool(), false);
        QCOMPARE(atAction.value("timer").toObject().value("remainingTime").toDouble(), 500.0);
        // Once: everything the worker did since is done when it answers a command.
        bool answered = false;
        m_controller->stop(idA, [&answered] { answered = true; });
        QTRY_VERIFY(answered);
        QCOMPARE(m_effects->records().executions.size(), 1);
    }

    void removalWhileAFiredActionWaitsDropsIt_data()
    {
        QTest::addColumn<bool>("retyped"); // else removed
        QTest::newRow("removed") << false;
        QTest::newRow("changed to another type") << true;
    }

    // The action is held as by a password dialog left open; the removal (or
    // a change of type, which replaces the worker) answers at once and drops
    // it, so that the late answer is neither acted on nor told.
    void removalWhileAFiredActionWaitsDropsIt()
    {
        QFETCH(bool, retyped);
        makeController();
        m_effects->setHolding(true);
        m_storage->updatePreset(timer(idA, 0, true));
        tick();
        QTRY_COMPARE(m_effects->records().executions.size(), 1);
        if (retyped) {
            m_storage->updatePreset(withType(idA, PresetType::Range));
        } else {
            m_storage->removePreset(QUuid::fromString(idA));
            QCOMPARE(m_storage->getAll(), QStringLiteral("[]"));
        }
        QCOMPARE(m_effects->dropped(), 1);
        m_effects->release(ActionFailure::Reason::NotAuthorized);
        handlePostedEvents();
        QVERIFY(m_effects->records().failures.isEmpty());
    }

    // A held action whose preset stays is answered, and its failure told.
    void aHeldActionIsToldWhenItFails()
    {
        makeController();
        m_effects->setHolding(true);
        m_storage->updatePreset(timer(idA, 0, true));
        tick();
        QTRY_COMPARE(m_effects->records().executions.size(), 1);
        m_effects->release(ActionFailure::Reason::Blocked);
        QCOMPARE(m_effects->records().failures.size(), 1);
        QCOMPARE(m_effects->records().failures.at(0).reason, ActionFailure::Reason::Blocked);
    }

    void destroyingTheControllerEndsAllWorkers()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000, true));
        m_storage->updatePreset(timer(idB, 60000, true));
        tick();
        QTRY_COMPARE(stored(*m_storage, idB)->timer().remainingTime, quint64(59000));
        m_controller->shutdown();
        m_controller.reset();
        const QString before = m_storage->getAll();
        handlePostedEvents();
        QCOMPARE(m_storage->getAll(), before);
    }
};

ZEL_TEST_MAIN(WorkerControllerTest)

#include "workercontrollertest.moc"
