// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "executor.h"

#include "enumerations.h"

#include <PolkitQt1/Subject>

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <unistd.h>

namespace
{
// Reads a process id the way sscanf("%d") would: leading white space skipped,
// an optional sign, the digits, anything after them ignored. Unlike sscanf it
// never overflows: a number outside int, or one that cannot name a process
// (zero or negative), is rejected like text without digits.
bool readPid(const char *text, qint64 *pid)
{
    errno = 0;
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || value <= 0 || value > std::numeric_limits<int>::max()) {
        return false;
    }
    *pid = value;
    return true;
}
} // namespace

PolkitQt1::UnixProcessSubject Executor::wmSubject()
{
    // The window manager starts the session, so by default it is our parent.
    qint64 pid = getppid();
    const QByteArray own = qgetenv("ZEL_WM_OWN_PID");
    if (!own.isEmpty()) {
        readPid(own.constData(), &pid);
    }
    return PolkitQt1::UnixProcessSubject(pid);
}

QString Executor::wmCommand(qint32 type)
{
    switch (type) {
    case ActionType::Shutdown:
        return QStringLiteral("ZELWM_SHUTDOWN\n");
    case ActionType::Reboot:
        return QStringLiteral("ZELWM_REBOOT\n");
    case ActionType::Sleep:
        return QStringLiteral("ZELWM_STANDBY\n");
    case ActionType::Hibernation:
        return QStringLiteral("ZELWM_SUSPEND\n");
    case ActionType::NewSession:
        return QStringLiteral("ZELWM_CHANGE_USER_IN_CONSOLE\n");
    case ActionType::NewSessionNewWindow:
        return QStringLiteral("ZELWM_CHANGE_USER_IN_WIN\n");
    case ActionType::Lock:
        return QStringLiteral("ZELWM_LOCK\n");
    case ActionType::EndSession:
        return QStringLiteral("ZELWM_LOGOUT\n");
    }
    return QString();
}
