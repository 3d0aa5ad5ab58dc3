// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetcontroller.h"

#include "presetcontroller_debug.h"
#include "presetcontrolleradaptor.h"
#include "storage.h"
#include "workers/workercontroller.h"

#include <QDBusConnection>

namespace
{
const QString busName = QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
const QString objectPath = QStringLiteral("/Presets");
} // namespace

PresetController *PresetController::instance()
{
    static PresetController *const controller = new PresetController();
    return controller;
}

PresetController::PresetController(QObject *parent) : QObject(parent), m_storage(new Storage(this)), m_workerController(new WorkerController(m_storage, this))
{
    if (!QMetaType::isRegistered(QMetaType::type("Preset::Ptr"))) {
        qRegisterMetaType<Preset::Ptr>("Preset::Ptr");
    }

    new PresetControllerAdaptor(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.registerObject(objectPath, this, QDBusConnection::ExportAdaptors);
    bus.registerService(busName);

    connect(m_storage, &Storage::presetAdded, this, [this](const Preset::Ptr &preset) { Q_EMIT presetUpdated(preset->toJson()); });
    connect(m_storage, &Storage::presetUpdated, this, [this](const Preset::Ptr &preset) { Q_EMIT presetUpdated(preset->toJson()); });
    connect(m_storage, &Storage::presetRemoved, this, [this](const QUuid &id) { Q_EMIT presetRemoved(id.toString()); });
}

QString PresetController::getAll()
{
    qCDebug(PRESETCONTROLLER) << "Request for all presets";
    return m_storage->getAll();
}

void PresetController::removePreset(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Removing preset" << uuid;
    m_storage->removePreset(QUuid::fromString(uuid));
}

void PresetController::updatePreset(QString json)
{
    qCDebug(PRESETCONTROLLER) << "Updating preset" << json;
    m_storage->updatePreset(Preset::make(json));
}

void PresetController::start(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to start preset" << uuid;
    m_workerController->start(uuid);
}

void PresetController::pause(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to pause preset" << uuid;
    m_workerController->pause(uuid);
}

void PresetController::stop(QString uuid)
{
    qCDebug(PRESETCONTROLLER) << "Try to stop preset" << uuid;
    m_workerController->stop(uuid);
}
