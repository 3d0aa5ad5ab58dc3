// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "notificator.h"

#include "notificator_debug.h"

#include <KNotification>
#include <QCoreApplication>
#include <QPointer>

#include <map>

namespace
{
void send(const QString &event, const QString &title, const QString &body, KNotification::Urgency urgency)
{
    // KNotification keeps process-wide state (its manager and the connection
    // to the notification server) that is not safe to use from several
    // threads, and a notification needs a living event loop until it closes.
    // A caller on any thread is served, so the notification is made and sent
    // on the application's thread.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [event, title, body, urgency] {
            auto *notification = new KNotification(event, KNotification::CloseOnTimeout, nullptr);
            notification->setComponentName(QStringLiteral("zel-shutdown-scheduler-service"));
            notification->setTitle(title);
            notification->setText(body);
            notification->setUrgency(urgency);
            // Deletes itself once closed.
            notification->sendEvent();
        },
        Qt::QueuedConnection);
}

// The open warnings, by id; main thread only.
std::map<quint32, QPointer<KNotification>> &openWarnings()
{
    static std::map<quint32, QPointer<KNotification>> warnings;
    return warnings;
}
} // namespace

quint32 Notificator::warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen)
{
    static quint32 lastId = 0;
    const quint32 id = ++lastId == 0 ? ++lastId : lastId;
    qCDebug(NOTIFICATOR) << "New warning: " << title << body << choices;
    auto *notification = new KNotification(QStringLiteral("alarm"), KNotification::Persistent, nullptr);
    notification->setComponentName(QStringLiteral("zel-shutdown-scheduler-service"));
    notification->setTitle(title);
    notification->setText(body);
    notification->setUrgency(KNotification::NormalUrgency);
    notification->setActions(choices);
    QObject::connect(notification, QOverload<unsigned int>::of(&KNotification::activated), notification, [id, chosen](unsigned int action) {
        // Actions count from 1; 0 is a click on the notification itself.
        if (action >= 1 && openWarnings().count(id)) {
            chosen(int(action) - 1);
        }
    });
    QObject::connect(notification, &KNotification::closed, notification, [id] { openWarnings().erase(id); });
    openWarnings()[id] = notification;
    // Deletes itself once closed.
    notification->sendEvent();
    return id;
}

void Notificator::withdraw(quint32 id)
{
    const auto it = openWarnings().find(id);
    if (it == openWarnings().end()) {
        return;
    }
    const QPointer<KNotification> notification = it->second;
    openWarnings().erase(it);
    if (notification) {
        qCDebug(NOTIFICATOR) << "Warning withdrawn: " << notification->title();
        notification->close();
    }
}

void Notificator::failed(const QString &title, const QString &body, bool quiet)
{
    qCDebug(NOTIFICATOR) << "New notification: " << title << body;
    send(QStringLiteral("failed"), title, body, quiet ? KNotification::LowUrgency : KNotification::NormalUrgency);
}

void Notificator::woken(const QString &name)
{
    qCDebug(NOTIFICATOR) << "Woken up for" << name;
    send(QStringLiteral("woken"),
        QCoreApplication::translate("Notificator", "Turned on"),
        QCoreApplication::translate("Notificator", "Woken up for %1").arg(name),
        KNotification::LowUrgency);
}
