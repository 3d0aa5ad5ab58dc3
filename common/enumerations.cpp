// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "enumerations.h"

#include <QCoreApplication>

QString ActionType::displayName(int type)
{
    switch (type) {
    case TurnOn:
        return QCoreApplication::translate("Action", "Turn On");
    case Shutdown:
        return QCoreApplication::translate("Action", "Shut Down");
    case Reboot:
        return QCoreApplication::translate("Action", "Reboot");
    case Sleep:
        return QCoreApplication::translate("Action", "Sleep");
    case Hibernation:
        return QCoreApplication::translate("Action", "Hibernation");
    case NewSession:
        return QCoreApplication::translate("Action", "Switch User");
    case NewSessionNewWindow:
        return QCoreApplication::translate("Action", "New Session In Window");
    case Lock:
        return QCoreApplication::translate("Action", "Lock");
    case EndSession:
        return QCoreApplication::translate("Action", "Log Out");
    }
    return QString();
}

QString ActionType::iconName(int type)
{
    switch (type) {
    case TurnOn:
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
        return QStringLiteral("system-log-out-symbolic");
    }
    return QString();
}
