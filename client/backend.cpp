// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "backend.h"

#include "actionmodel.h"
#include "presetcontrollerinterface.h"
#include "presetsmodel.h"
#include "zelintegration.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QJsonArray>
#include <QJsonDocument>

namespace
{
const QString serviceName = QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
const QString objectPath = QStringLiteral("/Presets");
} // namespace

Backend::Backend(QObject *parent)
    : QObject(parent)
    , m_presetsModel(new PresetsModel(this))
    , m_actionModel(new ActionModel(this))
    , m_watcher(new QDBusServiceWatcher(serviceName, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange, this))
    , m_proxy(new RuVelmoraShutdownSchedulerServicePresetControllerInterface(serviceName, objectPath, QDBusConnection::sessionBus(), this))
{
    // The models travel to QML as properties of this base type.
    qRegisterMetaType<QAbstractListModel *>();

    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { setConnectedToDaemon(true); });
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setConnectedToDaemon(false); });
    connect(this, &Backend::hasConnectionChanged, this, &Backend::getPresets);

    // Requests go out as asynchronous calls whose replies are never looked
    // at: their effect comes back through the service's change signals.
    connect(m_presetsModel, &PresetsModel::updatePreset, m_proxy, [this](const QString &preset) { m_proxy->updatePreset(preset); });
    connect(m_presetsModel, &PresetsModel::removePreset, m_proxy, [this](const QString &uuid) { m_proxy->removePreset(uuid); });
    connect(m_presetsModel, &PresetsModel::start, m_proxy, [this](const QString &uuid) { m_proxy->start(uuid); });
    connect(m_presetsModel, &PresetsModel::stop, m_proxy, [this](const QString &uuid) { m_proxy->stop(uuid); });
    connect(m_presetsModel, &PresetsModel::pause, m_proxy, [this](const QString &uuid) { m_proxy->pause(uuid); });
}

QAbstractListModel *Backend::presetsModel() const
{
    return m_presetsModel;
}

QAbstractListModel *Backend::actionModel() const
{
    return m_actionModel;
}

void Backend::checkConnection()
{
    setConnectedToDaemon(m_proxy->isValid());
}

void Backend::accept()
{
    Q_EMIT accepted();
}

void Backend::reject()
{
    Q_EMIT rejected();
}

void Backend::showHelp()
{
    zelHelpShow(QString());
}

void Backend::setConnectedToDaemon(bool flag)
{
    // The service's signals are wired before the list is fetched: a change
    // the service announces while the fetch is under way then still reaches
    // the model (after the full list), instead of being dropped because
    // nobody listened yet. Unique connections keep repeated registrations
    // from delivering each signal more than once. The flag, not the proxy's
    // idea of the name's owner, decides: right after a registration the
    // proxy may not have seen the new owner yet.
    if (flag) {
        connect(m_proxy,
            &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetUpdated,
            m_presetsModel,
            &PresetsModel::onPresetUpdated,
            Qt::UniqueConnection);
        connect(m_proxy,
            &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetRemoved,
            m_presetsModel,
            &PresetsModel::onPresetRemoved,
            Qt::UniqueConnection);
    } else {
        disconnect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetUpdated, m_presetsModel, &PresetsModel::onPresetUpdated);
        disconnect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetRemoved, m_presetsModel, &PresetsModel::onPresetRemoved);
    }

    if (flag != m_hasConnection) {
        m_hasConnection = flag;
        Q_EMIT hasConnectionChanged(); // fetches the list
    }
}

void Backend::getPresets()
{
    if (!m_hasConnection) {
        return; // the model keeps what it shows
    }
    QDBusPendingReply<QString> reply = m_proxy->getAll();
    reply.waitForFinished();
    if (reply.isError()) {
        return;
    }
    const QJsonArray array = QJsonDocument::fromJson(reply.value().toUtf8()).array();
    std::vector<Preset> presets;
    presets.reserve(static_cast<size_t>(array.size()));
    for (const QJsonValue &value : array) {
        presets.emplace_back(value.toObject());
    }
    m_presetsModel->reset(std::move(presets));
}
