// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionjob.h"

#include "actionjob_debug.h"
#include "desktopprobe.h"
#include "displayconnection.h"
#include "enumerations.h"
#include "executor.h"
#include "executor_debug.h"
#include "peeraddresses.h"
#include "polkitqueue.h"

#include <PolkitQt1/Subject>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QMetaEnum>
#include <QTimer>

namespace
{
// The login manager answers its own queries at once; these bound only a
// manager that hangs.
constexpr int queryTimeoutMs = 10000;

// As the executor has always logged it: ActionType::Lock, or
// ActionType::Value(42) for a number outside the enumeration.
struct LoggedAction
{
    qint32 value;
};

QDebug operator<<(QDebug debug, LoggedAction action)
{
    return qt_QMetaEnum_debugOperator(debug, action.value, &ActionType::staticMetaObject, "Value");
}

// The polkit action that logind checks, without the -multiple-sessions
// variant; empty for actions without a check.
QString polkitBaseId(qint32 action)
{
    switch (action) {
    case ActionType::Shutdown:
        return QStringLiteral("org.freedesktop.login1.power-off");
    case ActionType::Reboot:
        return QStringLiteral("org.freedesktop.login1.reboot");
    case ActionType::Sleep:
        return QStringLiteral("org.freedesktop.login1.suspend");
    case ActionType::Hibernation:
        return QStringLiteral("org.freedesktop.login1.hibernate");
    }
    return QString();
}

// The lock an inhibitor must hold to block the action.
QString inhibitedBy(qint32 action)
{
    return action == ActionType::Sleep || action == ActionType::Hibernation ? QStringLiteral("sleep") : QStringLiteral("shutdown");
}

QDBusMessage logindCall(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(PeerAddress::logind(), PeerAddress::logindPath(), PeerAddress::logindManager(), method);
    message.setArguments(arguments);
    return message;
}
} // namespace

ActionJob::ActionJob(qint32 action, QObject *parent) : QObject(parent), m_action(action) { }

ActionJob::~ActionJob() = default;

QDBusPendingCallWatcher *ActionJob::watch(const QDBusPendingCall &call)
{
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher, &QObject::deleteLater);
    return watcher;
}

void ActionJob::start()
{
    if (m_started) {
        return;
    }
    m_started = true;
    // With "ended" below, the log shows every action the service has under
    // way: once each has ended, nothing is sent for them any more.
    qCDebug(ACTIONJOB) << "Action" << LoggedAction{m_action} << "begun";
    m_probe = new DesktopProbe(this);
    connect(m_probe, &DesktopProbe::finished, this, &ActionJob::routeChosen);
    m_probe->start();
}

void ActionJob::abandon()
{
    if (m_abandoned || m_sent || m_finished) {
        return;
    }
    m_abandoned = true;
    // Told from the event loop: the caller is in the middle of its own change.
    QTimer::singleShot(0, this, [this] {
        if (!m_finished) {
            qCInfo(ACTIONJOB) << "Action" << LoggedAction{m_action} << "dropped: its preset was removed or changed before it was sent";
            finish(Failure::Abandoned);
        }
    });
}

void ActionJob::routeChosen()
{
    if (m_finished) {
        return;
    }
    m_route = DesktopRoutes::choose(m_action, m_probe->desktop());
    if (m_route.kind == DesktopRoutes::Route::ZelWm) {
        qCDebug(EXECUTOR) << "Попытка исполнить действие" << LoggedAction{m_action};
    } else {
        qCDebug(ACTIONJOB).noquote() << "Action" << LoggedAction{m_action}
                                     << "goes by route:" << (m_route.isAvailable() ? m_route.name : QStringLiteral("none"));
    }
    if (!m_route.isAvailable()) {
        fail(Failure::NotAvailable);
        return;
    }
    if (m_route.kind == DesktopRoutes::Route::OwnSession) {
        findOwnSession();
        return;
    }
    authorize();
}

void ActionJob::findOwnSession()
{
    // The session the service was started in; a service that the systemd
    // user manager started is in none, and its environment names the
    // session instead.
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    const QDBusMessage message = id.isEmpty() ? logindCall(QStringLiteral("GetSessionByPID"), {uint(QCoreApplication::applicationPid())})
                                              : logindCall(QStringLiteral("GetSession"), {id});
    connect(
        watch(QDBusConnection::systemBus().asyncCall(message, queryTimeoutMs)), &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
            const QDBusPendingReply<QDBusObjectPath> reply = *w;
            if (m_finished) {
                return;
            }
            if (reply.isError()) {
                fail(Failure::NoSession, reply.error().message());
                return;
            }
            m_sessionPath = reply.value().path();
            authorize();
        });
}

void ActionJob::authorize()
{
    const QString id = polkitBaseId(m_action);
    if (id.isEmpty()) {
        send();
        return;
    }
    const qint64 pid = m_route.kind == DesktopRoutes::Route::ZelWm ? Executor::wmSubject().pid() : QCoreApplication::applicationPid();
    // With other sessions open logind asks for the stronger variant of the
    // power actions; the sessions are counted anew each time.
    connect(watch(QDBusConnection::systemBus().asyncCall(logindCall(QStringLiteral("ListSessions")), queryTimeoutMs)),
        &QDBusPendingCallWatcher::finished,
        this,
        [this, id, pid](QDBusPendingCallWatcher *w) {
            if (m_finished) {
                return;
            }
            int sessions = 0;
            const QDBusMessage reply = w->reply();
            if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("a(susso)")) {
                const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
                list.beginArray();
                while (!list.atEnd()) {
                    QString sessionId, user, seat;
                    uint uid = 0;
                    QDBusObjectPath path;
                    list.beginStructure();
                    list >> sessionId >> uid >> user >> seat >> path;
                    list.endStructure();
                    ++sessions;
                }
                list.endArray();
            }
            authorizeAs(sessions > 1 ? id + QStringLiteral("-multiple-sessions") : id, pid);
        });
}

void ActionJob::authorizeAs(const QString &actionId, qint64 pid)
{
    PolkitQueue::instance()->check(this, actionId, pid, true, [this, actionId, pid](PolkitQt1::Authority::Result result, const QString &error) {
        if (m_finished) {
            return;
        }
        if (result == PolkitQt1::Authority::Yes) {
            send();
            return;
        }
        if (result == PolkitQt1::Authority::Unknown) {
            fail(Failure::AuthorityUnavailable, error);
            return;
        }
        if (result != PolkitQt1::Authority::No) {
            // Challenge after a check that allowed a dialog: no agent could ask.
            fail(Failure::NotAuthorized);
            return;
        }
        // polkit does not say whether a password dialog was dismissed. Asked
        // again without one, an action that needs a password answers
        // Challenge: then a dialog was shown and the user refused it.
        PolkitQueue::instance()->check(this, actionId, pid, false, [this](PolkitQt1::Authority::Result again, const QString &) {
            if (!m_finished) {
                fail(again == PolkitQt1::Authority::Challenge ? Failure::Dismissed : Failure::NotAuthorized);
            }
        });
    });
}

void ActionJob::send()
{
    if (m_finished) {
        return;
    }
    if (m_abandoned) {
        finish(Failure::Abandoned);
        return;
    }
    m_sent = true;
    if (m_route.kind == DesktopRoutes::Route::ZelWm) {
        sendToZelWm();
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        m_route.service, m_route.kind == DesktopRoutes::Route::OwnSession ? m_sessionPath : m_route.path, m_route.interface, m_route.method);
    message.setArguments(m_route.arguments);
    // The service asked polkit itself; logind may still ask the user when
    // its own rules want a password each time.
    message.setInteractiveAuthorizationAllowed(true);
    qCInfo(ACTIONJOB).noquote() << "Action" << LoggedAction{m_action} << "sent to the" << m_route.name << "as" << m_route.method;
    QDBusConnection bus = m_route.systemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
    connect(watch(bus.asyncCall(message, m_peerTimeoutMs)), &QDBusPendingCallWatcher::finished, this, &ActionJob::answered);
}

void ActionJob::sendToZelWm()
{
    qCDebug(EXECUTOR) << "Действие" << LoggedAction{m_action} << "может быть исполнено";
    qCDebug(EXECUTOR) << "Отправляется команда на исполнение в zel-wm";
    const QByteArray command = Executor::wmCommand(m_action).toLocal8Bit();
    // DISPLAY as the service was started with it: zel-wm is the session's
    // own window manager, so no other display is guessed.
    const DisplayConnection connection;
    if (!connection.display()) {
        qCWarning(EXECUTOR) << "Action" << LoggedAction{m_action} << "not carried out: no X11 display" << qgetenv("DISPLAY");
        fail(Failure::NoDisplay);
        return;
    }
    if (!zelSendCommandToWM(connection.display(), command.constData())) {
        qCWarning(EXECUTOR) << "Action" << LoggedAction{m_action} << "not carried out: no window manager took the command";
        fail(Failure::NoWindowManager);
        return;
    }
    finish(Failure::None);
}

void ActionJob::answered(QDBusPendingCallWatcher *watcher)
{
    if (m_finished) {
        return;
    }
    const QDBusPendingReply<> reply = *watcher;
    if (!reply.isError()) {
        if (m_route.kind == DesktopRoutes::Route::OwnSession && m_route.method == QLatin1String("Lock")) {
            // The session only passes the request on to whatever locks the
            // screen; its hint tells whether anything did.
            QTimer::singleShot(m_lockSettleMs, this, &ActionJob::readLockedHint);
            return;
        }
        finish(Failure::None);
        return;
    }
    const QDBusError error = reply.error();
    switch (error.type()) {
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        fail(Failure::NoAnswer, m_route.name);
        return;
    case QDBusError::AccessDenied:
        fail(Failure::NotAuthorized, error.message());
        return;
    default:
        break;
    }
    if (error.name() == PeerAddress::logindBlocked()) {
        explainBlock(error.message());
        return;
    }
    if (error.name() == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")) {
        fail(Failure::NotAuthorized, error.message());
        return;
    }
    fail(Failure::PeerFailed, error.message());
}

void ActionJob::readLockedHint()
{
    if (m_finished) {
        return;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(PeerAddress::logind(), m_sessionPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message.setArguments({PeerAddress::logindSession(), QStringLiteral("LockedHint")});
    connect(
        watch(QDBusConnection::systemBus().asyncCall(message, queryTimeoutMs)), &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
            const QDBusPendingReply<QDBusVariant> reply = *w;
            if (m_finished) {
                return;
            }
            if (!reply.isError() && reply.value().variant().toBool()) {
                finish(Failure::None);
            } else {
                fail(Failure::NotLocked);
            }
        });
}

void ActionJob::explainBlock(const QString &message)
{
    connect(watch(QDBusConnection::systemBus().asyncCall(logindCall(QStringLiteral("ListInhibitors")), queryTimeoutMs)),
        &QDBusPendingCallWatcher::finished,
        this,
        [this, message](QDBusPendingCallWatcher *w) {
            if (m_finished) {
                return;
            }
            QStringList blockers;
            const QDBusMessage reply = w->reply();
            if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == QLatin1String("a(ssssuu)")) {
                const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
                list.beginArray();
                while (!list.atEnd()) {
                    QString what, who, why, mode;
                    uint uid = 0, pid = 0;
                    list.beginStructure();
                    list >> what >> who >> why >> mode >> uid >> pid;
                    list.endStructure();
                    if (mode == QLatin1String("block") && what.split(QLatin1Char(':')).contains(inhibitedBy(m_action))) {
                        blockers << who + QStringLiteral(": ") + why;
                    }
                }
                list.endArray();
            }
            // Without a list that names it, logind's own words say what blocks.
            fail(Failure::Blocked, blockers.isEmpty() ? message : blockers.join(QStringLiteral("; ")));
        });
}

void ActionJob::fail(Failure failure, const QString &detail)
{
    if (m_route.kind != DesktopRoutes::Route::ZelWm || (failure != Failure::NoDisplay && failure != Failure::NoWindowManager)) {
        // The log stays in English: the reason's name and the peer's words.
        const QString said = detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail);
        qCWarning(ACTIONJOB).noquote() << "Action" << LoggedAction{m_action}
                                       << "not carried out:" << QLatin1String(QMetaEnum::fromType<Failure>().valueToKey(int(failure))) + said;
    }
    finish(failure, detail);
}

void ActionJob::finish(Failure failure, const QString &detail)
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_failure = failure;
    m_detail = detail;
    qCDebug(ACTIONJOB).noquote() << "Action" << LoggedAction{m_action} << "ended:" << QLatin1String(QMetaEnum::fromType<Failure>().valueToKey(int(failure)));
    // Always from the event loop, even when the outcome was known at once.
    QTimer::singleShot(0, this, &ActionJob::finished);
}

ActionFailure::Reason ActionJob::reason() const
{
    using ActionFailure::Reason;
    switch (m_failure) {
    case Failure::None:
        return Reason::None;
    case Failure::NotAvailable:
        return Reason::NotAvailable;
    case Failure::NotAuthorized:
        return Reason::NotAuthorized;
    case Failure::Dismissed:
        return Reason::Dismissed;
    case Failure::AuthorityUnavailable:
        return Reason::AuthorityUnavailable;
    case Failure::Blocked:
        return Reason::Blocked;
    case Failure::NoAnswer:
        return Reason::NoAnswer;
    case Failure::PeerFailed:
        return Reason::PeerFailed;
    case Failure::NoSession:
        return Reason::NoSession;
    case Failure::NotLocked:
        return Reason::NotLocked;
    case Failure::NoDisplay:
        return Reason::NoDisplay;
    case Failure::NoWindowManager:
        return Reason::NoWindowManager;
    case Failure::Abandoned:
        return Reason::Abandoned;
    }
    return Reason::None;
}

QString ActionJob::failureText() const
{
    return ActionFailure::text(m_action, reason(), m_detail);
}
