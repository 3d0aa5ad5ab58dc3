// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "zeldbus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QString>

// Our stand-in for the desktop's D-Bus helper library.

namespace
{
QDBusMessage question(const QString &method)
{
    return QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"), method);
}

int answerOf(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return -1;
    }
    const QVariant answer = reply.arguments().constFirst();
    if (answer.userType() != QMetaType::QString) {
        return -1;
    }
    const QString text = answer.toString();
    if (text == QLatin1String("yes") || text == QLatin1String("challenge")) {
        return 1;
    }
    return 0;
}

int askLogind(const QString &method)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return -1;
    }
    // Without a bound the call would wait for the bus's default 25 seconds
    // when the login manager hangs, and the caller with it.
    return answerOf(bus.call(question(method), QDBus::Block, zelDBusLogindTimeoutMs));
}

void askLogindAsync(const QString &method, QObject *context, const ZelLogindAnswer &answer)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        QMetaObject::invokeMethod(
            context, [answer] { answer(-1); }, Qt::QueuedConnection);
        return;
    }
    // The watcher belongs to context, so that no answer outlives it.
    auto watcher = new QDBusPendingCallWatcher(bus.asyncCall(question(method), zelDBusLogindTimeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, answer] {
        watcher->deleteLater();
        answer(answerOf(watcher->reply()));
    });
}
} // namespace

int dbus_Logind_CanSuspend()
{
    return askLogind(QStringLiteral("CanSuspend"));
}

int dbus_Logind_CanHybridSleep()
{
    return askLogind(QStringLiteral("CanHybridSleep"));
}

int dbus_Logind_CanHibernate()
{
    return askLogind(QStringLiteral("CanHibernate"));
}

void dbus_Logind_CanSuspendAsync(QObject *context, const ZelLogindAnswer &answer)
{
    askLogindAsync(QStringLiteral("CanSuspend"), context, answer);
}

void dbus_Logind_CanHybridSleepAsync(QObject *context, const ZelLogindAnswer &answer)
{
    askLogindAsync(QStringLiteral("CanHybridSleep"), context, answer);
}

void dbus_Logind_CanHibernateAsync(QObject *context, const ZelLogindAnswer &answer)
{
    askLogindAsync(QStringLiteral("CanHibernate"), context, answer);
}
