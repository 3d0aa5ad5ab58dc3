// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "executor.h"

#include "displayconnection.h"
#include "executor_debug.h"

#include <PolkitQt1/Authority>
#include <PolkitQt1/Subject>

#include <QByteArray>
#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <unistd.h>

namespace
{
// The action as the log has always shown it (ActionType::Lock, or
// ActionType::Value(42) for a number that names no action), printed without
// ever making an enum of a number outside it.
struct LoggedAction
{
    qint32 value;
};

QDebug operator<<(QDebug debug, LoggedAction action)
{
    return qt_QMetaEnum_debugOperator(debug, action.value, &ActionType::staticMetaObject, "Value");
}

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

// polkit-qt's Authority is one object for the whole process, and its error
// state (which, once set, makes every later check answer Unknown) is a plain
// member without a lock. Checks from several worker threads are therefore made
// one at a time under this mutex, each from a clean state: clearing the error,
// checking and reading the error again are one step. The price is that a
// second power action waits while the first one's password dialog is open,
// which also spares the user two dialogs at once. Nothing else waits for it:
// the main thread never takes this lock.
QMutex authorityMutex;
} // namespace

QString Executor::polkitActionId(qint32 type)
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

ActionFailure::Reason Executor::authorize(qint32 type, QString *detail)
{
    using ActionFailure::Reason;
    if (polkitActionId(type).isEmpty()) {
        return Reason::None;
    }
    QMutexLocker lock(&authorityMutex);
    // The authority is made on first use. The first user is a worker thread
    // that may end later, so the object is handed over to the main thread.
    static std::once_flag adopted;
    std::call_once(adopted, [] {
        PolkitQt1::Authority *authority = PolkitQt1::Authority::instance();
        QCoreApplication *app = QCoreApplication::instance();
        if (app && authority->thread() == QThread::currentThread() && app->thread() != QThread::currentThread()) {
            authority->moveToThread(app->thread());
        }
    });
    PolkitQt1::Authority *authority = PolkitQt1::Authority::instance();
    authority->clearError();
    if (!authority->polkitAuthority()) {
        *detail = QStringLiteral("no polkit authority");
        return Reason::AuthorityUnavailable;
    }
    const PolkitQt1::UnixProcessSubject subject = wmSubject();
    const QString id = polkitActionId(type);
    const PolkitQt1::Authority::Result result = authority->checkAuthorizationSync(id, subject, PolkitQt1::Authority::AllowUserInteraction);
    if (result == PolkitQt1::Authority::Yes) {
        return Reason::None;
    }
    if (authority->hasError() || result == PolkitQt1::Authority::Unknown) {
        *detail = authority->errorDetails();
        authority->clearError();
        return Reason::AuthorityUnavailable;
    }
    if (result == PolkitQt1::Authority::No) {
        // polkit-qt does not pass on whether a password dialog was dismissed.
        // Asked again without a dialog, an action that needs a password
        // answers Challenge: then a dialog was shown and the user refused it.
        // Without one the rules refuse the action outright.
        const PolkitQt1::Authority::Result again = authority->checkAuthorizationSync(id, subject, PolkitQt1::Authority::AuthorizationFlags());
        authority->clearError();
        if (again == PolkitQt1::Authority::Challenge) {
            return Reason::Dismissed;
        }
    }
    // Challenge after a check that allowed a dialog: no agent could ask.
    return Reason::NotAuthorized;
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

bool Executor::fail(ActionFailure::Reason reason)
{
    m_failure = reason;
    return false;
}

bool Executor::exec(qint32 type)
{
    using ActionFailure::Reason;
    m_failure = Reason::None;
    qCDebug(EXECUTOR) << "Попытка исполнить действие" << LoggedAction{type};
    QString detail;
    const Reason refusal = authorize(type, &detail);
    if (refusal != Reason::None) {
        qCWarning(EXECUTOR).noquote() << "Action" << LoggedAction{type} << "not authorized:"
                                      << (refusal == Reason::Dismissed              ? QStringLiteral("the password dialog was refused")
                                                 : refusal == Reason::NotAuthorized ? QStringLiteral("polkit said no")
                                                                                    : QStringLiteral("polkit could not be asked: ") + detail);
        return fail(refusal);
    }
    if (m_abandoned && m_abandoned->load()) {
        qCInfo(EXECUTOR) << "Action" << LoggedAction{type} << "dropped: its preset was removed or changed while it was being authorized";
        return fail(Reason::Abandoned);
    }
    qCDebug(EXECUTOR) << "Действие" << LoggedAction{type} << "может быть исполнено";
    qCDebug(EXECUTOR) << "Отправляется команда на исполнение в zel-wm";

    const QByteArray command = wmCommand(type).toLocal8Bit();
    // DISPLAY as the service was started with it. Without it (a service that
    // the bus started before the session exported its display) nothing can
    // be sent; the session's window manager is the only one to command, so no
    // other display is guessed.
    const DisplayConnection connection;
    if (!connection.display()) {
        qCWarning(EXECUTOR) << "Action" << LoggedAction{type} << "not carried out: no X11 display" << qgetenv("DISPLAY");
        return fail(Reason::NoDisplay);
    }
    if (!zelSendCommandToWM(connection.display(), command.constData())) {
        qCWarning(EXECUTOR) << "Action" << LoggedAction{type} << "not carried out: no window manager took the command";
        return fail(Reason::NoWindowManager);
    }
    return true;
}
