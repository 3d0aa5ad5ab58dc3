// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "backend.h"

#include "actionmodel.h"
#include "busaddress.h"
#include "presetcontrollerinterface.h"
#include "presetsmodel.h"
#include "zelintegration.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

Backend::Backend(QObject *parent)
    : QObject(parent)
    , m_presetsModel(new PresetsModel(this))
    , m_actionModel(new ActionModel(this))
    , m_watcher(new QDBusServiceWatcher(BusAddress::serviceName(), QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange, this))
    , m_proxy(new RuVelmoraShutdownSchedulerServicePresetControllerInterface(
          BusAddress::serviceName(), BusAddress::objectPath(), QDBusConnection::sessionBus(), this))
{
    // The models travel to QML as properties of this base type.
    qRegisterMetaType<QAbstractListModel *>();

    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { setConnectedToDaemon(true); });
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setConnectedToDaemon(false); });
    connect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetUpdated, this, &Backend::onPresetUpdated);
    connect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetRemoved, this, &Backend::onPresetRemoved);

    // Requests come back as the service's change signals; their own replies
    // only tell whether they were taken.
    connect(m_presetsModel, &PresetsModel::updatePreset, this, [this](const QString &preset) { track(m_proxy->updatePreset(preset)); });
    connect(m_presetsModel, &PresetsModel::removePreset, this, [this](const QString &uuid) { track(m_proxy->removePreset(uuid)); });
    connect(m_presetsModel, &PresetsModel::start, this, [this](const QString &uuid) { track(m_proxy->start(uuid)); });
    connect(m_presetsModel, &PresetsModel::stop, this, [this](const QString &uuid) { track(m_proxy->stop(uuid)); });
    connect(m_presetsModel, &PresetsModel::pause, this, [this](const QString &uuid) { track(m_proxy->pause(uuid)); });
}

QAbstractListModel *Backend::presetsModel() const
{
    return m_presetsModel;
}

QAbstractListModel *Backend::actionModel() const
{
    return m_actionModel;
}

void Backend::connectToService()
{
    startService();
}

void Backend::accept()
{
    Q_EMIT accepted();
}

void Backend::reject()
{
    Q_EMIT rejected();
}

bool Backend::showHelp()
{
    return zelHelpShow(QString());
}

QString Backend::helpText() const
{
    QFile page(zelHelpPath(QString()));
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

void Backend::startService()
{
    if (m_hasConnection || m_state == Starting) {
        return;
    }
    setState(Starting);
    // The bus daemon answers once the service owns its name (or at once when
    // it already does), or with the reason it could not start it.
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus) {
        setState(NotRunning, tr("There is no session bus."));
        return;
    }
    auto watcher = new QDBusPendingCallWatcher(bus->asyncCall(QStringLiteral("StartServiceByName"), BusAddress::serviceName(), 0u), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (watcher->isError()) {
            if (!m_hasConnection) {
                setState(NotRunning, watcher->error().message());
            }
            return;
        }
        setConnectedToDaemon(true);
    });
}

void Backend::reload()
{
    if (m_hasConnection) {
        getPresets();
    }
}

void Backend::setConnectedToDaemon(bool flag)
{
    if (flag == m_hasConnection) {
        return;
    }
    m_hasConnection = flag;
    Q_EMIT hasConnectionChanged();
    if (flag) {
        getPresets();
        askAvailability();
    } else {
        // The rows stay as they were; the window says they may be stale.
        ++m_fetch;
        m_fetching = false;
        m_announced.clear();
        setState(NotRunning);
    }
}

void Backend::setState(ServiceState state, const QString &error)
{
    if (state == m_state && error == m_serviceError) {
        return;
    }
    m_state = state;
    m_serviceError = error;
    Q_EMIT serviceStateChanged();
}

void Backend::getPresets()
{
    const int fetch = ++m_fetch;
    m_fetching = true;
    m_announced.clear();
    setState(Loading);
    auto watcher = new QDBusPendingCallWatcher(m_proxy->getAll(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, fetch] {
        watcher->deleteLater();
        if (fetch != m_fetch) {
            return; // an answer to an earlier connection or fetch
        }
        m_fetching = false;
        const QDBusPendingReply<QString> reply = *watcher;
        if (reply.isError()) {
            setState(NotAnswering, reply.error().message());
        } else {
            const QJsonArray array = QJsonDocument::fromJson(reply.value().toUtf8()).array();
            std::vector<Preset> presets;
            presets.reserve(static_cast<size_t>(array.size()));
            for (const QJsonValue &value : array) {
                presets.emplace_back(value.toObject());
            }
            m_presetsModel->reset(std::move(presets));
            setState(Ready);
        }
        // What was announced meanwhile is replayed in order: the list may
        // already hold it, and applying it again ends in the same state.
        const QVector<Announcement> announced = std::exchange(m_announced, {});
        for (const Announcement &announcement : announced) {
            if (announcement.removed) {
                m_presetsModel->onPresetRemoved(announcement.text);
            } else {
                m_presetsModel->onPresetUpdated(announcement.text);
            }
        }
    });
}

void Backend::askAvailability()
{
    // A service that came back may run with another environment (another
    // desktop, a display it lacked): its answer replaces the last one. An
    // answer to an earlier connection is dropped; a failed one keeps what
    // is known, as the window cannot know better.
    const int ask = ++m_availabilityAsk;
    auto watcher = new QDBusPendingCallWatcher(m_proxy->availableActions(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, ask] {
        watcher->deleteLater();
        const QDBusPendingReply<QString> reply = *watcher;
        if (ask == m_availabilityAsk && !reply.isError()) {
            m_actionModel->takeAvailability(reply.value());
        }
    });
}

void Backend::track(const QDBusPendingCall &call)
{
    ++m_pendingRequests;
    Q_EMIT pendingRequestsChanged();
    auto watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        --m_pendingRequests;
        Q_EMIT pendingRequestsChanged();
        if (watcher->isError()) {
            Q_EMIT requestFailed(watcher->error().message());
        }
    });
}

void Backend::onPresetUpdated(const QString &json)
{
    if (!m_hasConnection) {
        return;
    }
    if (m_fetching) {
        m_announced.append({false, json});
    } else {
        m_presetsModel->onPresetUpdated(json);
    }
}

void Backend::onPresetRemoved(const QString &uuid)
{
    if (!m_hasConnection) {
        return;
    }
    if (m_fetching) {
        m_announced.append({true, uuid});
    } else {
        m_presetsModel->onPresetRemoved(uuid);
    }
}
