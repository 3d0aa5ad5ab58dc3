// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "zeldbus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

// Our stand-in for the desktop's D-Bus helper library.

namespace
{
int askLogind(const QString &method)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return -1;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"), method);
    // Without a bound the call would wait for the bus's default 25 seconds
    // when the login manager hangs, and the client's window with it.
    const QDBusMessage reply = bus.call(call, QDBus::Block, zelDBusLogindTimeoutMs);
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
