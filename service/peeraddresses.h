// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

// The desktop's programs that carry out actions, as they are found on the
// buses: names, object paths, interfaces. Every route and probe takes its
// addresses from here.
namespace PeerAddress
{
// The login manager (logind, elogind), system bus.
inline QString logind()
{
    return QStringLiteral("org.freedesktop.login1");
}
inline QString logindPath()
{
    return QStringLiteral("/org/freedesktop/login1");
}
inline QString logindManager()
{
    return QStringLiteral("org.freedesktop.login1.Manager");
}
inline QString logindSession()
{
    return QStringLiteral("org.freedesktop.login1.Session");
}
// The D-Bus errors of logind a refusal comes as.
inline QString logindBlocked()
{
    return QStringLiteral("org.freedesktop.login1.BlockedByInhibitorLock");
}

// ConsoleKit2, system bus, where logind is absent: the same method names.
inline QString consoleKit()
{
    return QStringLiteral("org.freedesktop.ConsoleKit");
}
inline QString consoleKitPath()
{
    return QStringLiteral("/org/freedesktop/ConsoleKit/Manager");
}
inline QString consoleKitManager()
{
    return QStringLiteral("org.freedesktop.ConsoleKit.Manager");
}

// polkit, system bus (asked through polkit-qt).
inline QString polkit()
{
    return QStringLiteral("org.freedesktop.PolicyKit1");
}

// Screen lockers, session bus.
inline QString freedesktopScreenSaver()
{
    return QStringLiteral("org.freedesktop.ScreenSaver");
}
inline QString freedesktopScreenSaverPath()
{
    return QStringLiteral("/ScreenSaver");
}
inline QString gnomeScreenSaver()
{
    return QStringLiteral("org.gnome.ScreenSaver");
}
inline QString gnomeScreenSaverPath()
{
    return QStringLiteral("/org/gnome/ScreenSaver");
}
inline QString cinnamonScreenSaver()
{
    return QStringLiteral("org.cinnamon.ScreenSaver");
}
inline QString cinnamonScreenSaverPath()
{
    return QStringLiteral("/org/cinnamon/ScreenSaver");
}
inline QString xfceScreenSaver()
{
    return QStringLiteral("org.xfce.ScreenSaver");
}
inline QString xfceScreenSaverPath()
{
    return QStringLiteral("/org/xfce/ScreenSaver");
}
inline QString mateScreenSaver()
{
    return QStringLiteral("org.mate.ScreenSaver");
}
inline QString mateScreenSaverPath()
{
    return QStringLiteral("/org/mate/ScreenSaver");
}

// Session managers, session bus.
inline QString plasmaShutdown()
{
    return QStringLiteral("org.kde.Shutdown");
}
inline QString plasmaShutdownPath()
{
    return QStringLiteral("/Shutdown");
}
inline QString gnomeSession()
{
    return QStringLiteral("org.gnome.SessionManager");
}
inline QString gnomeSessionPath()
{
    return QStringLiteral("/org/gnome/SessionManager");
}
inline QString xfceSession()
{
    return QStringLiteral("org.xfce.SessionManager");
}
inline QString xfceSessionPath()
{
    return QStringLiteral("/org/xfce/SessionManager");
}
inline QString xfceSessionInterface()
{
    return QStringLiteral("org.xfce.Session.Manager");
}
inline QString lxqtSession()
{
    return QStringLiteral("org.lxqt.session");
}
inline QString lxqtSessionPath()
{
    return QStringLiteral("/LXQtSession");
}

// Display managers, system bus: LightDM and SDDM at the seat XDG_SEAT_PATH
// names, GDM at its display factory.
inline QString displayManager()
{
    return QStringLiteral("org.freedesktop.DisplayManager");
}
inline QString displayManagerSeat()
{
    return QStringLiteral("org.freedesktop.DisplayManager.Seat");
}
inline QString gdm()
{
    return QStringLiteral("org.gnome.DisplayManager");
}
inline QString gdmFactoryPath()
{
    return QStringLiteral("/org/gnome/DisplayManager/LocalDisplayFactory");
}
inline QString gdmFactory()
{
    return QStringLiteral("org.gnome.DisplayManager.LocalDisplayFactory");
}
} // namespace PeerAddress
