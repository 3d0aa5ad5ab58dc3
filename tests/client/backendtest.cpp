// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The backend against the real service process on the private session bus,
// against a scripted stand-in service for the answers the real one never
// gives (malformed lists, failures, a change announced during the fetch, no
// answer at all), and against activation files that fail or hang.

#include "backend.h"
#include "actionmodel.h"
#include "presetsmodel.h"
#include "zeltest.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#ifndef ZEL_SERVICE_BIN
#error "ZEL_SERVICE_BIN must name the built service program"
#endif

namespace
{
const QString serviceName = QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
const QString objectPath = QStringLiteral("/Presets");

bool serviceOnBus()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(serviceName).value();
}

QString idText(int n)
{
    return QUuid(QStringLiteral("{abcdef00-0000-0000-0000-%1}").arg(n, 12, 10, QLatin1Char('0'))).toString();
}

QJsonObject presetObject(int n, const QString &name)
{
    return QJsonObject{
        {QStringLiteral("preset_id"), idText(n)},
        {QStringLiteral("preset_name"), name},
        {QStringLiteral("preset_type"), 1},
        {QStringLiteral("action_type"), 6},
    };
}

QString presetText(int n, const QString &name)
{
    return QString::fromUtf8(QJsonDocument(presetObject(n, name)).toJson(QJsonDocument::Compact));
}

QStringList names(const PresetsModel *model)
{
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row) {
        result << model->data(model->index(row, 0), PresetsModel::NameRole).toString();
    }
    return result;
}

// The built service, with a settings folder of its own; its debug output
// tells how often the whole list was asked for.
class ServiceProcess
{
public:
    explicit ServiceProcess(const QString &configHome)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("ru.velmora.*=true"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(ZEL_SERVICE_BIN), QStringList());
    }
    ~ServiceProcess() { stop(); }

    bool waitUntilRegistered() { return QTest::qWaitFor(serviceOnBus, 15000); }

    bool stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
        return QTest::qWaitFor([] { return !serviceOnBus(); }, 10000);
    }

    int getAllRequests()
    {
        m_output += m_process.readAll();
        return m_output.count("Request for all presets");
    }

private:
    QProcess m_process;
    QByteArray m_output;
};

// Blocking calls of the bus interface, as another client would make them.
void callService(const QString &method, const QString &argument)
{
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName, objectPath, serviceName, method);
    call << argument;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
}

// A stand-in service in a thread of its own, on a connection of its own, so
// that it answers while the backend blocks in its fetch.
class FakeService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "ru.velmora.shutdown.scheduler.service.PresetController")
public:
    QString listText = QStringLiteral("[]");
    QString announcedDuringFetch;
    bool fail = false;
    bool hang = false; // keeps every call waiting until answerAll()
    QAtomicInt fetches = 0;
    QAtomicInt held = 0; // calls kept waiting so far

    // Answers the calls kept waiting (from the test's thread).
    void answerAll()
    {
        QMetaObject::invokeMethod(
            this,
            [this] {
                for (const auto &[bus, call] : qAsConst(m_waiting)) {
                    QDBusConnection(bus).send(call.member() == QLatin1String("getAll")
                            ? call.createReply(listText)
                            : call.createErrorReply(QDBusError::UnknownMethod, QStringLiteral("no such method")));
                }
                m_waiting.clear();
            },
            Qt::BlockingQueuedConnection);
    }

public Q_SLOTS:
    void start(const QString &)
    {
        if (hang) {
            setDelayedReply(true);
            m_waiting.append({connection().name(), message()});
            held.fetchAndAddOrdered(1);
            return;
        }
        sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("no such method"));
    }

    QString getAll()
    {
        fetches.fetchAndAddOrdered(1);
        if (hang) {
            setDelayedReply(true);
            m_waiting.append({connection().name(), message()});
            held.fetchAndAddOrdered(1);
            return QString();
        }
        if (!announcedDuringFetch.isEmpty()) {
            QDBusMessage signal = QDBusMessage::createSignal(objectPath, serviceName, QStringLiteral("presetUpdated"));
            signal << announcedDuringFetch;
            connection().send(signal);
        }
        if (fail) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused"));
            return QString();
        }
        return listText;
    }

private:
    QList<QPair<QString, QDBusMessage>> m_waiting; // connection name, call
};

class FakeServiceHost
{
public:
    FakeServiceHost()
        : m_connectionName(QStringLiteral("fake-service-%1").arg(++s_count))
        , m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName))
    {
        service.moveToThread(&m_thread);
        m_thread.start();
        m_bus.registerObject(objectPath, &service, QDBusConnection::ExportAllSlots);
    }
    ~FakeServiceHost()
    {
        unregister();
        m_bus.unregisterObject(objectPath);
        QDBusConnection::disconnectFromBus(m_connectionName);
        m_thread.quit();
        m_thread.wait();
    }

    bool registerName()
    {
        m_bus.registerService(serviceName);
        return QTest::qWaitFor(serviceOnBus, 5000);
    }
    void unregister() { m_bus.unregisterService(serviceName); }
    void announce(const QString &preset)
    {
        QDBusMessage signal = QDBusMessage::createSignal(objectPath, serviceName, QStringLiteral("presetUpdated"));
        signal << preset;
        m_bus.send(signal);
    }

    // Returns once what the stand-in announced and what this process asked
    // of the bus and of the stand-in before have all been handled here. The
    // bus daemon answers a connection's calls in order; the stand-in takes a
    // connection's calls in order on its thread, and what it sent before its
    // answer arrives before it. Not for a stand-in that holds its calls.
    void settle()
    {
        QDBusConnection::sessionBus().interface()->serviceOwner(serviceName);
        QCoreApplication::sendPostedEvents();
        QDBusMessage call = QDBusMessage::createMethodCall(m_bus.baseService(), objectPath, serviceName, QStringLiteral("start"));
        call << QString();
        QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
        QCoreApplication::sendPostedEvents();
    }

    FakeService service;

private:
    static int s_count;
    QString m_connectionName;
    QDBusConnection m_bus;
    QThread m_thread;
};
int FakeServiceHost::s_count = 0;
} // namespace

class BackendTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(!serviceOnBus()); }

    void realService()
    {
        QTemporaryDir firstConfig;
        QTemporaryDir secondConfig;

        // The second settings folder gets one preset of its own beforehand.
        {
            ServiceProcess other(secondConfig.path());
            QVERIFY(other.waitUntilRegistered());
            callService(QStringLiteral("updatePreset"), presetText(9, QStringLiteral("elsewhere")));
            QVERIFY(other.stop());
        }

        auto service = std::make_unique<ServiceProcess>(firstConfig.path());
        QVERIFY(service->waitUntilRegistered());
        callService(QStringLiteral("updatePreset"), presetText(1, QStringLiteral("first")));
        callService(QStringLiteral("updatePreset"), presetText(2, QStringLiteral("second")));

        Backend backend;
        PresetsModel *model = backend.presets();
        QSignalSpy connection(&backend, &Backend::hasConnectionChanged);
        QVERIFY(!backend.hasConnection());

        // One fetch fills the list and selects its first row.
        backend.connectToService();
        QTRY_COMPARE(backend.serviceState(), Backend::Ready);
        QVERIFY(backend.hasConnection());
        QCOMPARE(connection.size(), 1);
        QCOMPARE(names(model), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        QCOMPARE(model->currentIndex(), 0);
        QVERIFY(model->data(model->index(0, 0), PresetsModel::SelectedRole).toBool());
        QTRY_COMPARE(service->getAllRequests(), 1);

        // The action list shows what the service says this desktop can do,
        // whatever that is here.
        const QDBusMessage question = QDBusMessage::createMethodCall(serviceName, objectPath, serviceName, QStringLiteral("availableActions"));
        const QDBusMessage report = QDBusConnection::sessionBus().call(question, QDBus::Block, 10000);
        QCOMPARE(report.type(), QDBusMessage::ReplyMessage);
        QList<bool> said;
        bool turnOn = false;
        for (const QJsonValue &entry : QJsonDocument::fromJson(report.arguments().value(0).toString().toUtf8()).array()) {
            if (entry[QLatin1String("action_type")].toInt() >= 0) {
                said << entry[QLatin1String("available")].toBool();
            } else {
                turnOn = entry[QLatin1String("available")].toBool();
            }
        }
        // Turn On ends the list (and is offered while no kind is chosen).
        said << turnOn;
        const auto shown = [&backend] {
            QList<bool> flags;
            for (int row = 0; row < backend.actions()->rowCount(); ++row) {
                flags << backend.actions()->data(backend.actions()->index(row, 0), ActionModel::EnabledRole).toBool();
            }
            return flags;
        };
        QCOMPARE(said.size(), 9);
        QTRY_COMPARE(shown(), said);

        // A save goes to the service and comes back as its announcement.
        QJsonObject timer = presetObject(3, QStringLiteral("third"));
        timer.insert(QStringLiteral("preset_type"), 0);
        timer.insert(QStringLiteral("timer"), QJsonObject{{QStringLiteral("timeout"), 3600000}});
        model->savePreset(timer);
        QTRY_COMPARE(model->rowCount(), 3);
        QCOMPARE(model->data(model->index(2, 0), PresetsModel::IdRole).toString(), idText(3));
        model->savePreset(presetObject(1, QStringLiteral("first, renamed")));
        QTRY_COMPARE(model->data(model->index(0, 0), PresetsModel::NameRole).toString(), QStringLiteral("first, renamed"));
        QCOMPARE(model->rowCount(), 3);

        // Removal and start requests, confirmed by the service.
        model->setCurrentIndex(1);
        model->removeSelected();
        QTRY_COMPARE(model->rowCount(), 2);
        QCOMPARE(model->data(model->index(1, 0), PresetsModel::IdRole).toString(), idText(3));
        QCOMPARE(model->data(model->index(1, 0), PresetsModel::NameRole).toString(), QStringLiteral("third 01:00:00"));
        Q_EMIT model->start(idText(3));
        QTRY_VERIFY(model->data(model->index(1, 0), PresetsModel::IsStartedRole).toBool());
        Q_EMIT model->stop(idText(3));
        QTRY_VERIFY(!model->data(model->index(1, 0), PresetsModel::IsStartedRole).toBool());
        QCOMPARE(service->getAllRequests(), 1);

        // The service goes: the rows stay.
        QVERIFY(service->stop());
        QTRY_VERIFY(!backend.hasConnection());
        QCOMPARE(backend.serviceState(), Backend::NotRunning);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->data(model->index(0, 0), PresetsModel::NameRole).toString(), QStringLiteral("first, renamed"));

        // It comes back (with other presets): a fresh fetch replaces the rows,
        // and its announcements reach the model again.
        service = std::make_unique<ServiceProcess>(secondConfig.path());
        QVERIFY(service->waitUntilRegistered());
        QTRY_VERIFY(backend.hasConnection());
        QTRY_COMPARE(names(model), QStringList{QStringLiteral("elsewhere")});
        QCOMPARE(model->currentIndex(), 0);
        QTRY_COMPARE(service->getAllRequests(), 1);
        callService(QStringLiteral("updatePreset"), presetText(4, QStringLiteral("fourth")));
        QTRY_COMPARE(names(model), (QStringList{QStringLiteral("elsewhere"), QStringLiteral("fourth")}));
        QVERIFY(service->stop());
    }

    // Run by activationFailsOrHangs in a desktop of its own.
    void activationProbe()
    {
        if (!qEnvironmentVariableIsSet("ZEL_BACKENDTEST_PROBE")) {
            QSKIP("only run as a probe");
        }
        // Still starting when connectToService() returns: it did not wait
        // for the bus to start the service, or to give up on it.
        Backend backend;
        backend.connectToService();
        QCOMPARE(backend.serviceState(), Backend::Starting);
        if (qgetenv("ZEL_BACKENDTEST_PROBE") == "hang") {
            // The event loop runs on while the bus waits for the service,
            // which the bus has started.
            const QString started = qEnvironmentVariable("ZEL_BACKENDTEST_STARTED");
            QVERIFY(QTest::qWaitFor([&started] { return QFile::exists(started); }, 15000));
            QCoreApplication::processEvents();
            QCOMPARE(backend.serviceState(), Backend::Starting);
        } else {
            QTRY_COMPARE(backend.serviceState(), Backend::NotRunning);
            QVERIFY2(!backend.serviceError().isEmpty(), "no reason given");
            QVERIFY(!backend.hasConnection());
        }
    }

    // The service cannot be started, or its start never ends: the backend
    // says so, or waits, without holding up its thread. Each case is a probe
    // in a desktop of its own; both run side by side.
    void activationFailsOrHangs()
    {
        if (qEnvironmentVariableIsSet("ZEL_BACKENDTEST_PROBE")) {
            QSKIP("not in a probe");
        }
        struct Probe
        {
            QString exec;
            QString name;
            QTemporaryDir data;
            QProcess process;
        };
        Probe probes[2];
        probes[0].name = QStringLiteral("fail");
        probes[0].exec = QStringLiteral("/bin/false");
        // The program tells that it was started, then never takes its name.
        const QString started = probes[1].data.filePath(QStringLiteral("started"));
        probes[1].name = QStringLiteral("hang");
        probes[1].exec = QStringLiteral("/bin/sh -c \"touch '%1'; exec sleep 120\"").arg(started);
        for (Probe &probe : probes) {
            QVERIFY(QDir(probe.data.path()).mkpath(QStringLiteral("dbus-1/services")));
            QFile entry(probe.data.filePath(QStringLiteral("dbus-1/services/%1.service").arg(serviceName)));
            QVERIFY(entry.open(QIODevice::WriteOnly));
            entry.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2\n").arg(serviceName, probe.exec).toUtf8());
            entry.close();

            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove(QStringLiteral("ZEL_TEST_ISOLATED"));
            env.insert(QStringLiteral("ZEL_BACKENDTEST_PROBE"), probe.name);
            env.insert(QStringLiteral("ZEL_BACKENDTEST_STARTED"), started);
            probe.process.setProcessEnvironment(env);
            probe.process.setProcessChannelMode(QProcess::MergedChannels);
            probe.process.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral(ZEL_ISOLATE_SCRIPT),
                    QStringLiteral("--no-x"),
                    QStringLiteral("--data-dir"),
                    probe.data.path(),
                    QStringLiteral("--"),
                    QCoreApplication::applicationFilePath(),
                    QStringLiteral("activationProbe")});
        }
        for (Probe &probe : probes) {
            QVERIFY2(probe.process.waitForFinished(60000), qPrintable(probe.name));
            const QByteArray output = probe.process.readAll();
            QVERIFY2(probe.process.exitCode() == 0, output.constData());
            QVERIFY2(output.contains("PASS   : BackendTest::activationProbe()"), output.constData());
        }
    }

    void listAnswers_data()
    {
        QTest::addColumn<QString>("listText");
        QTest::addColumn<bool>("fail");
        QTest::addColumn<QStringList>("expected");
        const QString one = QStringLiteral("[%1]").arg(presetText(5, QStringLiteral("fetched")));
        QTest::newRow("list") << one << false << QStringList{QStringLiteral("fetched")};
        QTest::newRow("empty array") << QStringLiteral("[]") << false << QStringList();
        QTest::newRow("not JSON") << QStringLiteral("garbage") << false << QStringList();
        QTest::newRow("an object") << presetText(5, QStringLiteral("fetched")) << false << QStringList();
        QTest::newRow("error reply keeps the rows") << one << true << QStringList{QStringLiteral("shown before")};
    }

    void listAnswers()
    {
        QFETCH(QString, listText);
        QFETCH(bool, fail);
        QFETCH(QStringList, expected);

        FakeServiceHost host;
        host.service.listText = listText;
        host.service.fail = fail;

        Backend backend;
        backend.presets()->onPresetUpdated(presetText(1, QStringLiteral("shown before")));
        QVERIFY(host.registerName());
        QTRY_VERIFY(backend.serviceState() != Backend::Loading && backend.hasConnection());
        QCOMPARE(int(host.service.fetches), 1);
        QCOMPARE(names(backend.presets()), expected);
        QCOMPARE(backend.serviceState(), fail ? Backend::NotAnswering : Backend::Ready);
        QCOMPARE(backend.serviceError(), fail ? QStringLiteral("refused") : QString());

        // Asked again, the service answers this time.
        host.service.fail = false;
        backend.reload();
        QTRY_COMPARE(backend.serviceState(), Backend::Ready);
        QCOMPARE(int(host.service.fetches), 2);
    }

    // A service that takes its calls and never answers: the backend goes on
    // without waiting, says that it waits for the list, and takes the list
    // when it comes.
    void serviceThatDoesNotAnswer()
    {
        FakeServiceHost host;
        host.service.hang = true;
        host.service.listText = QStringLiteral("[%1]").arg(presetText(1, QStringLiteral("late")));
        QVERIFY(host.registerName());

        // The stand-in runs on this thread: had the backend waited for the
        // list, the call would have timed out, and the backend would not be
        // loading.
        Backend backend;
        backend.connectToService();
        QTRY_COMPARE(backend.serviceState(), Backend::Loading);
        QTRY_COMPARE(int(host.service.fetches), 1);

        // Requests go out too, and wait for their answers.
        QSignalSpy failures(&backend, &Backend::requestFailed);
        Q_EMIT backend.presets()->start(idText(1));
        QCOMPARE(backend.pendingRequests(), 1);
        QTRY_COMPARE(int(host.service.held), 2);
        QCoreApplication::processEvents();
        QCOMPARE(backend.serviceState(), Backend::Loading);
        QCOMPARE(backend.pendingRequests(), 1);

        host.service.answerAll();
        QTRY_COMPARE(backend.serviceState(), Backend::Ready);
        QCOMPARE(names(backend.presets()), QStringList{QStringLiteral("late")});
        // The stand-in knows no "start": the service's refusal is passed on.
        QTRY_COMPARE(backend.pendingRequests(), 0);
        QCOMPARE(failures.size(), 1);
    }

    void changeAnnouncedDuringTheFetchIsKept()
    {
        FakeServiceHost host;
        host.service.listText = QStringLiteral("[%1]").arg(presetText(1, QStringLiteral("listed")));
        host.service.announcedDuringFetch = presetText(2, QStringLiteral("added meanwhile"));
        QVERIFY(host.registerName());

        Backend backend;
        backend.connectToService();
        QTRY_COMPARE(names(backend.presets()), (QStringList{QStringLiteral("listed"), QStringLiteral("added meanwhile")}));
    }

    void registrationFollowsTheBusName()
    {
        FakeServiceHost host;
        Backend backend;
        QVERIFY(!backend.hasConnection());
        QCOMPARE(int(host.service.fetches), 0);

        host.service.listText = QStringLiteral("[%1]").arg(presetText(1, QStringLiteral("one")));
        QVERIFY(host.registerName());
        QTRY_VERIFY(backend.hasConnection());
        QTRY_COMPARE(names(backend.presets()), QStringList{QStringLiteral("one")});
        QCOMPARE(int(host.service.fetches), 1);

        // Connecting again while connected fetches nothing and does not make
        // a signal arrive twice.
        backend.connectToService();
        host.settle();
        QCOMPARE(int(host.service.fetches), 1);
        QSignalSpy inserted(backend.presets(), &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(backend.presets(), &QAbstractItemModel::dataChanged);
        host.announce(presetText(2, QStringLiteral("two")));
        QTRY_COMPARE(inserted.size(), 1);
        host.settle();
        QCOMPARE(changed.size(), 0);

        // Gone: no more signals reach the model.
        host.unregister();
        QTRY_VERIFY(!backend.hasConnection());
        host.announce(presetText(3, QStringLiteral("three")));
        host.settle();
        QCOMPARE(backend.presets()->rowCount(), 2);
    }
};

ZEL_TEST_MAIN(BackendTest)

#include "backendtest.moc"
