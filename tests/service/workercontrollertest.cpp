// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The worker framework with the real store: workers follow the presets, the
// commands reach them, their reports reach the store, and a fired countdown
// is on disk before its action runs.

#include "workercontroller.h"
#include "recordingeffects.h"
#include "storage.h"
#include "zeltest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
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
} // namespace

class WorkerControllerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Storage> m_storage;
    std::shared_ptr<RecordingEffects> m_effects;
    std::unique_ptr<WorkerController> m_controller;

    void makeController() { m_controller = std::make_unique<WorkerController>(m_storage.get(), m_effects, nullptr); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(QStringLiteral("/tmp/")));
        QCoreApplication::setOrganizationName(QStringLiteral("velmora-test"));
        qRegisterMetaType<Preset::Ptr>("Preset::Ptr");
        QLoggingCategory::setFilterRules(QStringLiteral("ru.velmora.shutdown.scheduler.service.WorkerController.debug=true"));
        previousHandler = qInstallMessageHandler(recordMessage);
    }

    void init()
    {
        QFile::remove(settingsPath());
        m_effects = std::make_shared<RecordingEffects>();
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
        QTRY_VERIFY_WITH_TIMEOUT(stored(*m_storage, idA)->timer().remainingTime == 59000, 3000);
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
        m_controller->start(idA.toUpper());
        m_controller->start(idA.mid(1, 36));
        m_controller->start(QStringLiteral("{0c000000-0000-0000-0000-0000000000c3}"));
        QTest::qWait(300);
        QCOMPARE(spy.count(), 0);
        QVERIFY(!messages.join('\n').contains(QStringLiteral("Sending command")));

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
        QSignalSpy spy(m_storage.get(), &Storage::presetUpdated);
        m_controller->start(idA);
        QTest::qWait(1300);
        QCOMPARE(spy.count(), 0);
    }

    void typeChangeReplacesTheWorker()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000));
        m_storage->updatePreset(timer(idB, 60000));
        m_controller->start(idA);
        QTRY_VERIFY(stored(*m_storage, idA)->isRunning());

        m_storage->updatePreset(withType(idA, PresetType::Range));
        QVERIFY(messages.contains(QStringLiteral("Type for preset QUuid(\"%1\") changed! Remove worker and create new one!").arg(idA)));
        QCOMPARE(messages.last(), QStringLiteral("setupRange"));
        // The countdown's last reports (it is stopped on its way out) must not
        // turn the preset back into a countdown.
        QTest::qWait(1300);
        QCOMPARE(stored(*m_storage, idA)->presetType(), qint32(PresetType::Range));
        QVERIFY(!stored(*m_storage, idA)->isRunning());

        // The new worker takes the commands.
        m_controller->start(idA);
        QTRY_VERIFY(stored(*m_storage, idA)->isRunning());
        QCOMPARE(stored(*m_storage, idA)->presetType(), qint32(PresetType::Range));

        // A change to Undefined leaves no worker.
        m_storage->updatePreset(withType(idA, PresetType::Undefined));
        m_controller->start(idA);
        QTest::qWait(300);
        QVERIFY(!stored(*m_storage, idA)->isRunning());
    }

    void removingARunningPresetEndsItsWorker()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000, true));
        QTRY_COMPARE(stored(*m_storage, idA)->timer().remainingTime, quint64(59000));
        m_storage->removePreset(QUuid::fromString(idA));
        QVERIFY(messages.contains(QStringLiteral("onPresetRemoved QUuid(\"%1\")").arg(idA)));
        // Nothing that the worker sent on its way out brings the preset back.
        QTest::qWait(1500);
        QCOMPARE(m_storage->getAll(), QStringLiteral("[]"));
        QVERIFY(entryOnDisk(idA).isEmpty());
        m_controller->start(idA);
        m_storage->removePreset(QUuid::fromString(idA)); // matches no worker any more
    }

    void aLateEchoDoesNotRewindTheCountdown()
    {
        // The main thread is held up while it handles the countdown's first
        // second: before the worker controller sees the store's announcement
        // (so that it would hand the report back late) and after it. Handing
        // the worker its own old report would set it back, and a value would
        // be reported twice; the stall itself must not stretch the countdown
        // (the seconds it swallowed are reported as one step).
        const auto stallOnFirstTick = [](bool *done) {
            return [done](const Preset::Ptr &preset) {
                if (!*done && preset->isRunning() && preset->timer().remainingTime == 9000) {
                    *done = true;
                    QThread::msleep(1300);
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
        QElapsedTimer clock;
        clock.start();
        m_storage->updatePreset(timer(idA, 10000, true));
        QTRY_VERIFY_WITH_TIMEOUT(remaining.size() >= 4, 8000);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(remaining.mid(0, 2), QVector<quint64>({10000, 9000}));
        for (int i = 1; i < remaining.size(); ++i) {
            QVERIFY2(remaining.at(i) < remaining.at(i - 1) && remaining.at(i) % 1000 == 0, qPrintable(QString::number(remaining.at(i))));
        }
        QVERIFY2(qAbs(qint64(10000 - remaining.last()) - elapsed) < 1100, qPrintable(QStringLiteral("%1 after %2 ms").arg(remaining.last()).arg(elapsed)));
    }

    void anUpdateFromTheBusReachesTheWorker()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000, true));
        QTRY_COMPARE(stored(*m_storage, idA)->timer().remainingTime, quint64(59000));
        Preset::Ptr edited = timer(idA, 60000, true);
        edited->timer().remainingTime = 30000;
        edited->setName(QStringLiteral("edited"));
        m_storage->updatePreset(edited);
        QTRY_COMPARE_WITH_TIMEOUT(stored(*m_storage, idA)->timer().remainingTime, quint64(29000), 2500);
        QCOMPARE(stored(*m_storage, idA)->name(), QStringLiteral("edited"));
        // The store's objects are never changed behind its back.
        QCOMPARE(edited->timer().remainingTime, quint64(30000));
    }

    void aFiredCountdownIsOnDiskBeforeItsAction()
    {
        makeController();
        const Qt::HANDLE mainThread = QThread::currentThreadId();
        QJsonObject atAction;
        m_effects->setOnCarryOut([&atAction](qint32, const std::atomic<bool> &) { atAction = entryOnDisk(idA); });
        m_storage->updatePreset(timer(idA, 500, true));
        m_storage->writePending();
        QCOMPARE(entryOnDisk(idA).value("preset_running").toBool(), true);
        QTRY_COMPARE_WITH_TIMEOUT(m_effects->executions().size(), 1, 4000);
        QVERIFY(m_effects->executions().at(0).thread != mainThread);
        QCOMPARE(atAction.value("preset_running").toBool(), false);
        QCOMPARE(atAction.value("preset_paused").toBool(), false);
        QCOMPARE(atAction.value("timer").toObject().value("remainingTime").toDouble(), 500.0);
        QTest::qWait(1200);
        QCOMPARE(m_effects->executions().size(), 1);
    }

    void removalWhileAFiredActionWaitsDoesNotBlock()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 0, true));
        // Keep the main thread away while the countdown fires: its reports
        // and its request to save wait in the queue.
        QThread::msleep(1500);
        QElapsedTimer clock;
        clock.start();
        m_storage->removePreset(QUuid::fromString(idA));
        QVERIFY(clock.elapsed() < 1000);
        QTest::qWait(1000);
        QVERIFY(m_effects->executions().isEmpty());
        QCOMPARE(m_storage->getAll(), QStringLiteral("[]"));
    }

    void destroyingTheControllerEndsAllWorkers()
    {
        makeController();
        m_storage->updatePreset(timer(idA, 60000, true));
        m_storage->updatePreset(timer(idB, 60000, true));
        QTRY_COMPARE(stored(*m_storage, idB)->timer().remainingTime, quint64(59000));
        m_controller.reset();
        const QString before = m_storage->getAll();
        QTest::qWait(1200);
        QCOMPARE(m_storage->getAll(), before);
    }
};

ZEL_TEST_MAIN(WorkerControllerTest)

#include "workercontrollertest.moc"
