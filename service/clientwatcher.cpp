// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clientwatcher.h"

#include "presetcontroller_debug.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

ClientWatcher::ClientWatcher(const QDBusConnection &bus, QObject *parent) : QObject(parent), m_bus(bus), m_watcher(new QDBusServiceWatcher(this))
{
    m_watcher->setConnection(bus);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &ClientWatcher::remove);
}

void ClientWatcher::add(const QString &uniqueName)
{
    if (uniqueName.isEmpty() || m_clients.contains(uniqueName)) {
        return;
    }
    m_clients.insert(uniqueName);
    qCDebug(PRESETCONTROLLER) << "Client" << uniqueName << "joined;" << m_clients.size() << "now";
    // Watched by name: only this peer's going wakes the service.
    m_watcher->addWatchedService(uniqueName);
    auto *check = new QDBusPendingCallWatcher(m_bus.interface()->asyncCall(QStringLiteral("NameHasOwner"), uniqueName), this);
    connect(check, &QDBusPendingCallWatcher::finished, this, [this, check, uniqueName] {
        check->deleteLater();
        const QDBusPendingReply<bool> reply = *check;
        // An unanswered question keeps the peer: reports sent for nobody cost
        // a little, reports missing for a window would be a fault.
        if (reply.isValid() && !reply.value()) {
            remove(uniqueName);
        }
    });
    if (m_clients.size() == 1) {
        Q_EMIT watchedChanged(true);
    }
}

void ClientWatcher::remove(const QString &uniqueName)
{
    if (!m_clients.remove(uniqueName)) {
        return;
    }
    m_watcher->removeWatchedService(uniqueName);
    qCDebug(PRESETCONTROLLER) << "Client" << uniqueName << "left;" << m_clients.size() << "now";
    if (m_clients.isEmpty()) {
        Q_EMIT watchedChanged(false);
    }
}
