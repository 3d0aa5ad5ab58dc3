// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "enumerations.h"

#include <QObject>
#include <QString>

namespace PolkitQt1
{
class UnixProcessSubject;
}

// Carries out one action: asks polkit whether the window manager's process may
// perform it, then sends the window manager its command. Holds no state; make
// a temporary for every call. Runs on the calling worker's thread and may block
// it while polkit asks the user.
class Executor
{
    Q_GADGET
public:
    // False when polkit refused, otherwise whether the command was delivered
    // (false as well when the service has no X11 display).
    Q_INVOKABLE bool exec(ActionType::Value type);

    static QString polkitActionId(ActionType::Value type);
    static PolkitQt1::UnixProcessSubject wmSubject();
    static bool isAuthorized(ActionType::Value type);
    static QString wmCommand(ActionType::Value type);
};
