// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetmirror.h"

#include "busaddress.h"
#include "presetcontrollerinterface.h"
#include "rowtext.h"
#include "tray_debug.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

PresetMirror::PresetMirror(QObject *parent)
    : QObject(parent)
    , m_proxy(new RuVelmoraShutdownSchedulerServicePresetControllerInterface(
          BusAddress::serviceName(), BusAddress::objectPath(), QDBusConnection::sessionBus(), this))
    , m_watcher(new QDBusServiceWatcher(BusAddress::serviceName(), QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange, this))
    , m_actionNames(RowText::actionNames())
{
    connect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetUpdated, this, [this](const QString &json) {
        if (m_fetching) {
            m_announced.append({false, json});
        } else {
            update(json);
            Q_EMIT changed();
        }
    });
    connect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetRemoved, this, [this](const QString &id) {
        if (m_fetching) {
            m_announced.append({true, id});
        } else {
            remove(id);
            Q_EMIT changed();
        }
    });
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &PresetMirror::fetch);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        // Gone: nothing runs until it is back (and says so itself).
        ++m_fetch;
        m_fetching = false;
        m_announced.clear();
        m_planned.clear();
        Q_EMIT changed();
    });
    // A blocking question to the bus daemon, which answers at once.
    if (QDBusConnection::sessionBus().interface() && QDBusConnection::sessionBus().interface()->isServiceRegistered(BusAddress::serviceName())) {
        fetch();
    }
}

void PresetMirror::fetch()
{
    const int ticket = ++m_fetch;
    m_fetching = true;
    m_announced.clear();
    auto *watcher = new QDBusPendingCallWatcher(m_proxy->getAll(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, ticket] {
        watcher->deleteLater();
        if (ticket != m_fetch) {
            return;
        }
        m_fetching = false;
        const QDBusPendingReply<QString> reply = *watcher;
        if (reply.isError()) {
            qCWarning(TRAY) << "The scheduler service did not send its presets:" << reply.error().message();
        } else {
            m_planned.clear();
            const QJsonArray array = QJsonDocument::fromJson(reply.value().toUtf8()).array();
            for (const QJsonValue &value : array) {
                update(QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact)));
            }
        }
        const auto announced = std::exchange(m_announced, {});
        for (const auto &announcement : announced) {
            if (announcement.first) {
                remove(announcement.second);
            } else {
                update(announcement.second);
            }
        }
        Q_EMIT changed();
    });
}

void PresetMirror::update(const QString &json)
{
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
    if (object.isEmpty()) {
        return;
    }
    TraySummary::Planned planned{Preset(object), QDateTime(), false};
    planned.customName = RowText::isCustomName(planned.preset.name(), m_actionNames);
    auto found = std::find_if(m_planned.begin(), m_planned.end(), [&planned](const TraySummary::Planned &p) { return p.preset.id() == planned.preset.id(); });
    planned.countdownEnd = RowText::countdownEnd(planned.preset, found != m_planned.end() ? found->countdownEnd : QDateTime(), QDateTime::currentDateTime());
    if (found != m_planned.end()) {
        *found = std::move(planned);
    } else {
        m_planned.push_back(std::move(planned));
    }
}

void PresetMirror::remove(const QString &id)
{
    const QUuid uuid = QUuid::fromString(id);
    m_planned.erase(
        std::remove_if(m_planned.begin(), m_planned.end(), [&uuid](const TraySummary::Planned &p) { return p.preset.id() == uuid; }), m_planned.end());
}

void PresetMirror::stop(const QString &id)
{
    send(m_proxy->stop(id), QStringLiteral("stop"));
}

void PresetMirror::stopAll()
{
    for (const TraySummary::Planned &p : m_planned) {
        // What the menu shows: the presets that run.
        if (p.preset.isRunning() && !p.preset.isPaused()) {
            stop(p.preset.id().toString());
        }
    }
}

void PresetMirror::postpone(const QString &id)
{
    send(m_proxy->postpone(id), QStringLiteral("postpone"));
}

void PresetMirror::send(const QDBusPendingCall &call, const QString &what)
{
    // The change comes back as the service's signal; the reply only tells
    // whether the command was taken.
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, what] {
        watcher->deleteLater();
        if (watcher->isError()) {
            qCWarning(TRAY).noquote() << "The scheduler service did not take the command" << what << ":" << watcher->error().message();
        }
    });
}
