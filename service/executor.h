// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "actionfailure.h"
#include "enumerations.h"

#include <QObject>
#include <QString>

#include <atomic>

namespace PolkitQt1
{
class UnixProcessSubject;
}

// Carries out one action: asks polkit whether the window manager's process may
// perform it, then sends the window manager its command. Make a temporary for
// every call; it keeps only why its call failed. Runs on the calling worker's
// thread and may block it while polkit asks the user.
//
// Actions are plain numbers (the JSON form may carry any); numbers that name
// no action have no polkit check and an empty command.
class Executor
{
    Q_GADGET
public:
    // abandoned, when given, is looked at once the authorization is known:
    // set meanwhile (the preset was removed or replaced while a password
    // dialog was open), the command is not sent.
    explicit Executor(const std::atomic<bool> *abandoned = nullptr) : m_abandoned(abandoned) { }

    // True when the command reached the window manager. Otherwise failure()
    // says why, and the reason has been logged.
    Q_INVOKABLE bool exec(qint32 type);
    ActionFailure::Reason failure() const { return m_failure; }

    static QString polkitActionId(qint32 type);
    static PolkitQt1::UnixProcessSubject wmSubject();
    // Yes, or the reason for no; detail receives polkit's own words on errors.
    static ActionFailure::Reason authorize(qint32 type, QString *detail);
    static QString wmCommand(qint32 type);

private:
    bool fail(ActionFailure::Reason reason);

    const std::atomic<bool> *m_abandoned;
    ActionFailure::Reason m_failure = ActionFailure::Reason::None;
};
