// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "executor.h"

#include "executor_debug.h"
#include "zelcore.h"

#include <PolkitQt1/Authority>
#include <PolkitQt1/Subject>

#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <QX11Info>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <unistd.h>

QString Executor::polkitActionId(ActionType::Value type)
{
    QString id;
    switch (type) {
    case ActionType::Shutdown:
        id = QStringLiteral("org.freedesktop.login1.power-off");
        break;
    case ActionType::Reboot:
        id = QStringLiteral("org.freedesktop.login1.reboot");
        break;
    case ActionType::Sleep:
        id = QStringLiteral("org.freedesktop.login1.suspend");
        break;
    case ActionType::Hibernation:
        id = QStringLiteral("org.freedesktop.login1.hibernate");
        break;
    default:
        return id;
    }
    // With other sessions open logind asks for the stronger variant of the
    // power actions; the sessions are counted anew each time.
    bool ok = false;
    const int sessions = numWho(&ok);
    if (sessions > 1 && ok) {
        id += QStringLiteral("-multiple-sessions");
    }
    return id;
}

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

bool Executor::isAuthorized(ActionType::Value type)
{
    if (polkitActionId(type).isEmpty()) {
        return true;
    }
    // The authority is one object for the whole process, made on first use.
    // The first user is a worker thread that may end later, so the object is
    // handed over to the main thread once made.
    static std::once_flag adopted;
    std::call_once(adopted, [] {
        PolkitQt1::Authority *authority = PolkitQt1::Authority::instance();
        QCoreApplication *app = QCoreApplication::instance();
        if (app && authority->thread() == QThread::currentThread() && app->thread() != QThread::currentThread()) {
            authority->moveToThread(app->thread());
        }
    });
    PolkitQt1::Authority *authority = PolkitQt1::Authority::instance();
    const PolkitQt1::UnixProcessSubject subject = wmSubject();
    const PolkitQt1::Authority::Result result = authority->checkAuthorizationSync(polkitActionId(type), subject, PolkitQt1::Authority::AllowUserInteraction);
    return result == PolkitQt1::Authority::Yes;
}

QString Executor::wmCommand(ActionType::Value type)
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
    case ActionType::TurnOn:
        break;
    }
    return QString();
}

bool Executor::exec(ActionType::Value type)
{
    qCDebug(EXECUTOR) << "Попытка исполнить действие" << type;
    if (!isAuthorized(type)) {
        return false;
    }
    qCDebug(EXECUTOR) << "Действие" << type << "может быть исполнено";
    qCDebug(EXECUTOR) << "Отправляется команда на исполнение в zel-wm";

    // The command goes over the application's own X11 connection. When the
    // service does not run on X11 (another or the offscreen platform, or no
    // display at all) there is no connection: QX11Info::display() is null,
    // zelSendCommandToWM sends nothing and reports false, and so does exec.
    // No other display is tried: the window manager to command is the one of
    // the session the service runs in.
    const QByteArray command = wmCommand(type).toLocal8Bit();
    return zelSendCommandToWM(QX11Info::display(), command.constData());
}
