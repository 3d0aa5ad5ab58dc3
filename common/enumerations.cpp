// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "enumerations.h"

#include <QCoreApplication>

const char *ActionType::sourceName(int type)
{
    switch (type) {
    case TurnOn:
        return QT_TRANSLATE_NOOP("Action", "Turn On");
    case Shutdown:
        return QT_TRANSLATE_NOOP("Action", "Shut Down");
    case Reboot:
        return QT_TRANSLATE_NOOP("Action", "Reboot");
    case Sleep:
        return QT_TRANSLATE_NOOP("Action", "Sleep");
    case Hibernation:
        return QT_TRANSLATE_NOOP("Action", "Hibernation");
    case NewSession:
        return QT_TRANSLATE_NOOP("Action", "Switch User");
    case NewSessionNewWindow:
        return QT_TRANSLATE_NOOP("Action", "New Session In Window");
    case Lock:
        return QT_TRANSLATE_NOOP("Action", "Lock");
    case EndSession:
        return QT_TRANSLATE_NOOP("Action", "Log Out");
    }
    return nullptr;
}

QString ActionType::displayName(int type)
{
    const char *name = sourceName(type);
    return name ? QCoreApplication::translate("Action", name) : QString();
}

QString ActionType::iconName(int type)
{
    switch (type) {
    case TurnOn:
        // The theme's wake-up icon (as for Wake-on-LAN), not the power
        // symbol that shutting down shows.
        return QStringLiteral("preferences-system-network-wakeonlan");
    case Shutdown:
        return QStringLiteral("system-shutdown-symbolic");
    case Reboot:
        return QStringLiteral("system-reboot-symbolic");
    case Sleep:
        return QStringLiteral("system-suspend-symbolic");
    case Hibernation:
        return QStringLiteral("system-suspend-hibernate-symbolic");
    case NewSession:
        return QStringLiteral("system-login-symbolic");
    case NewSessionNewWindow:
        return QStringLiteral("system-login-window-symbolic");
    case Lock:
        return QStringLiteral("system-lock-screen-symbolic");
    case EndSession:
        // Not "system-log-out-symbolic": icon loaders take a theme's icon of
        // a shorter name before the fallback's icon of the whole name, and
        // Breeze's small system-log-out is a bare "<".
        return QStringLiteral("zel-log-out-symbolic");
    }
    return QString();
}
