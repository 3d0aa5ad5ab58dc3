// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionavailability.h"

#include "desktopprobe.h"
#include "enumerations.h"
#include "peeraddresses.h"
#include "wakealarm.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <iterator>

namespace
{
constexpr int canTimeoutMs = 5000;

const qint32 powerActions[] = {ActionType::Shutdown, ActionType::Reboot, ActionType::Sleep, ActionType::Hibernation};

QString canMethod(qint32 action)
{
    switch (action) {
    case ActionType::Shutdown:
        return QStringLiteral("CanPowerOff");
    case ActionType::Reboot:
        return QStringLiteral("CanReboot");
    case ActionType::Sleep:
        return QStringLiteral("CanSuspend");
    default:
        return QStringLiteral("CanHibernate");
    }
}

bool isPower(qint32 action)
{
    return std::find(std::begin(powerActions), std::end(powerActions), action) != std::end(powerActions);
}
} // namespace

ActionAvailability::ActionAvailability(bool canWake, QObject *parent) : QObject(parent), m_probe(new DesktopProbe(this)), m_canWake(canWake)
{
    connect(m_probe, &DesktopProbe::finished, this, &ActionAvailability::ask);
}

void ActionAvailability::start()
{
    m_probe->start();
}

void ActionAvailability::ask()
{
    const QSet<QString> &system = m_probe->desktop().systemNames;
    const bool logind = system.contains(PeerAddress::logind());
    if (!logind && !system.contains(PeerAddress::consoleKit())) {
        m_waiting = 1;
        answered();
        return;
    }
    m_waiting = int(std::size(powerActions)) + 1;
    for (const qint32 action : powerActions) {
        const QDBusMessage message = logind
            ? QDBusMessage::createMethodCall(PeerAddress::logind(), PeerAddress::logindPath(), PeerAddress::logindManager(), canMethod(action))
            : QDBusMessage::createMethodCall(PeerAddress::consoleKit(), PeerAddress::consoleKitPath(), PeerAddress::consoleKitManager(), canMethod(action));
        auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(message, canTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, action](QDBusPendingCallWatcher *w) {
            w->deleteLater();
            const QDBusPendingReply<QString> reply = *w;
            if (!reply.isError()) {
                m_can.insert(action, reply.value());
            }
            answered();
        });
    }
    answered();
}

void ActionAvailability::answered()
{
    if (--m_waiting == 0) {
        Q_EMIT finished(QString::fromUtf8(QJsonDocument(report(m_probe->desktop(), m_can, m_canWake)).toJson(QJsonDocument::Compact)));
    }
}

QJsonArray ActionAvailability::report(const DesktopRoutes::Desktop &desktop, const QHash<qint32, QString> &can, bool canWake)
{
    QJsonArray result;
    QJsonObject turnOn{{QStringLiteral("action_type"), ActionType::TurnOn},
        {QStringLiteral("available"), canWake},
        {QStringLiteral("route"), canWake ? QStringLiteral("wake alarm") : QString()}};
    if (!canWake) {
        const QString grant = WakeAlarm::grantCommand();
        turnOn.insert(QStringLiteral("reason"),
            QStringLiteral("the service may not wake this computer: grant it the right with \"%1\" and restart the service").arg(grant));
        turnOn.insert(QStringLiteral("grant"), grant);
    }
    result.append(turnOn);
    for (qint32 action = ActionType::Shutdown; action <= ActionType::EndSession; ++action) {
        const DesktopRoutes::Route route = DesktopRoutes::choose(action, desktop);
        QJsonObject entry{{QStringLiteral("action_type"), action}, {QStringLiteral("route"), route.name}};
        bool available = route.isAvailable();
        QString reason = available ? QString() : DesktopRoutes::notAvailableText();
        if (isPower(action)) {
            const QString answer = can.value(action, QStringLiteral("na"));
            entry.insert(QStringLiteral("can"), answer);
            if (available && route.callsLoginManager() && (answer == QLatin1String("no") || answer == QLatin1String("na"))) {
                available = false;
                reason = answer == QLatin1String("no") ? QStringLiteral("%1 says no").arg(route.name)
                                                       : QStringLiteral("%1 says this machine cannot").arg(route.name);
            }
        }
        entry.insert(QStringLiteral("available"), available);
        if (!available) {
            entry.insert(QStringLiteral("reason"), reason);
        }
        result.append(entry);
    }
    return result;
}
