// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "notificator.h"

#include "notificator_debug.h"

#include <KNotification>
#include <QCoreApplication>

namespace
{
void send(const QString &event, const QString &title, const QString &body, KNotification::Urgency urgency)
{
    // KNotification keeps process-wide state (its manager and the connection
    // to the notification server) that is not safe to use from several
    // threads, and a notification needs a living event loop until it closes.
    // Workers call from their own threads, so the notification is made and
    // sent on the application's thread.
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
} // namespace

void Notificator::notify(const QString &title, const QString &body)
{
    qCDebug(NOTIFICATOR) << "New notification: " << title << body;
    send(QStringLiteral("alarm"), title, body, KNotification::NormalUrgency);
}

void Notificator::failed(const QString &title, const QString &body, bool quiet)
{
    qCDebug(NOTIFICATOR) << "New notification: " << title << body;
    send(QStringLiteral("failed"), title, body, quiet ? KNotification::LowUrgency : KNotification::NormalUrgency);
}
