// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetcontroller.h"

#include "actionavailability.h"
#include "actionfailure.h"
#include "busaddress.h"
#include "clientwatcher.h"
#include "presetcontroller_debug.h"
#include "presetcontrolleradaptor.h"
#include "storage.h"
#include "workers/workercontroller.h"

#include <QDBusConnection>
#include <QDBusMessage>

PresetController *PresetController::instance()
{
    static PresetController *const controller = new PresetController();
    return controller;
}

PresetController::PresetController(QObject *parent)
    : QObject(parent)
    , m_storage(new Storage(this))
    , m_workerController(new WorkerController(m_storage, WorkerEffects::desktop(), this))
    , m_clients(new ClientWatcher(QDBusConnection::sessionBus(), this))
{
    // Nobody has called yet: the countdowns restored above count quietly.
    m_workerController->setWatched(false);
    connect(m_clients, &ClientWatcher::watchedChanged, m_workerController, &WorkerController::setWatched);
    new PresetControllerAdaptor(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Watched before the name is taken, so that no loss goes unseen.
    bus.connect(QString(),
        QStringLiteral("/org/freedesktop/DBus/Local"),
        QStringLiteral("org.freedesktop.DBus.Local"),
        QStringLiteral("Disconnected"),
        this,
        SLOT(onDisconnected()));
    bus.connect(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("NameLost"),
        this,
        SLOT(onNameLost(QString)));
    m_onBus = bus.registerObject(BusAddress::objectPath(), this, QDBusConnection::ExportAdaptors) && bus.registerService(BusAddress::serviceName());
    if (!m_onBus) {
        qCWarning(PRESETCONTROLLER) << "Could not register" << BusAddress::serviceName() << "on the session bus:" << bus.lastError().message();
    }

    connect(m_storage, &Storage::presetAdded, this, [this](const Preset::Ptr &preset) { Q_EMIT presetUpdated(preset->toJson()); });
    connect(m_storage, &Storage::presetUpdated, this, [this](const Preset::Ptr &preset, bool staged) {
        // A countdown's every second is only there to be shown.
        if (!staged || m_clients->isWatched()) {
            Q_EMIT presetUpdated(preset->toJson());
        }
    });
    connect(m_storage, &Storage::presetRemoved, this, [this](const QUuid &id) { Q_EMIT presetRemoved(id.toString()); });
    // Once per episode of failed writes, whatever was being written.
    connect(m_storage, &Storage::writeFailed, this, &ActionFailure::tellNotSaved);
}

void PresetController::shutdown()
{
    if (!m_shutDown) {
        m_shutDown = true;
        m_workerController->shutdown();
        m_storage->writePending();
    }
}

std::function<void()> PresetController::replyLater()
{
    if (!calledFromDBus()) {
        return {};
    }
    setDelayedReply(true);
    return [connection = connection(), reply = message().createReply()] { connection.send(reply); };
}

void PresetController::noteCaller()
{
    if (calledFromDBus()) {
        m_clients->add(message().service());
    }
}

void PresetController::onDisconnected()
{
    qCWarning(PRESETCONTROLLER) << "Lost the connection to the session bus; ending";
    Q_EMIT busLost();
}

void PresetController::onNameLost(const QString &name)
{
    qCWarning(PRESETCONTROLLER) << "Lost the bus name" << name << "; ending";
    Q_EMIT busLost();
}

QString PresetController::getAll()
{
    qCDebug(PRESETCONTROLLER) << "Request for all presets";
    noteCaller();
    return m_storage->getAll();
}

void PresetController::removePreset(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Removing preset" << uuid;
    noteCaller();
    m_storage->removePreset(QUuid::fromString(uuid));
}

void PresetController::updatePreset(QString json)
{
    qCDebug(PRESETCONTROLLER) << "Updating preset" << json;
    noteCaller();
    m_storage->updatePreset(Preset::make(json));
}

void PresetController::start(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to start preset" << uuid;
    noteCaller();
    m_workerController->start(uuid, replyLater());
}

void PresetController::pause(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to pause preset" << uuid;
    noteCaller();
    m_workerController->pause(uuid, replyLater());
}

void PresetController::stop(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to stop preset" << uuid;
    noteCaller();
    m_workerController->stop(uuid, replyLater());
}

void PresetController::postpone(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to postpone preset" << uuid;
    m_workerController->postpone(uuid, replyLater());
}

QString PresetController::availableActions()
{
    qCDebug(PRESETCONTROLLER) << "Request for the available actions";
    noteCaller();
    if (!calledFromDBus()) {
        return QString();
    }
    // The desktop is asked without blocking: the reply leaves when all
    // answers are in.
    setDelayedReply(true);
    auto *availability = new ActionAvailability(m_workerController->canWake(), this);
    connect(availability, &ActionAvailability::finished, this, [availability, connection = connection(), request = message()](const QString &json) {
        connection.send(request.createReply(json));
        availability->deleteLater();
    });
    availability->start();
    return QString();
}
