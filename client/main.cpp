// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application.h"
#include "zelintegration.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace
{
// How long the start-up waits for the service to be started by the session
// bus. Past that the window opens anyway, disconnected, and connects as soon
// as the service registers its name.
constexpr int activationTimeoutMs = 5000;

// Wakes the scheduler service: a call to its object makes the session bus
// start it by activation. The reply itself does not matter. It runs before the
// application object exists, on a connection of its own that is closed again,
// so that the program's own session-bus connection is made normally later.
void activateService()
{
    const QString connectionName = QStringLiteral("zel-scheduler-activation");
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        if (bus.isConnected()) {
            const QDBusMessage introspect = QDBusMessage::createMethodCall(QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController"),
                QStringLiteral("/Presets"),
                QStringLiteral("org.freedesktop.DBus.Introspectable"),
                QStringLiteral("Introspect"));
            bus.call(introspect, QDBus::Block, activationTimeoutMs);
        }
    }
    QDBusConnection::disconnectFromBus(connectionName);
}
} // namespace

int main(int argc, char *argv[])
{
    activateService();

    int result;
    {
        Application application(argc, argv);
        zelInit("0.0.1", "Scheduler");
        result = application.run();
    }
    return result;
}
