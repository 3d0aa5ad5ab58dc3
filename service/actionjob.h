// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "actionfailure.h"
#include "desktoproutes.h"

#include <QObject>
#include <QString>

class DesktopProbe;
class QDBusError;
class QDBusPendingCall;
class QDBusPendingCallWatcher;

// Carries out one action through the one route this desktop has for it
// (DesktopRoutes), on the main thread, without blocking: every step is a bus
// call answered through the event loop. In order:
//   1. the desktop is probed and the route chosen (none: NotAvailable);
//   2. a logind session route finds the service's own session;
//   3. a power action is authorized by polkit before anything is sent:
//      about the service's own process where the service calls the login
//      manager itself (the subject logind checks, so its own check passes
//      on the same answer), about zel-wm's process on the zel-wm route;
//   4. unless abandoned meanwhile, the command is sent, once: the short X
//      call to zel-wm, or the route's method call, whose answer is waited
//      for at most peerTimeout.
// finished() is emitted once, from the event loop; then failure() tells the
// outcome. The job does not delete itself.
class ActionJob : public QObject
{
    Q_OBJECT
public:
    enum class Failure {
        None, // carried out
        NotAvailable, // no route on this desktop
        NotAuthorized, // polkit said no, or the peer refused (AccessDenied)
        Dismissed, // the password dialog was refused
        AuthorityUnavailable, // polkit could not be asked
        Blocked, // an inhibitor lock blocks it; detail: "<who>: <why>"
        NoAnswer, // the peer did not answer within peerTimeout; detail: the route
        PeerFailed, // the peer answered with another error; detail: its words
        NoSession, // the login manager knows no session of the service
        NotLocked, // the session was asked to lock and did not
        NoDisplay, // zel-wm route: no X display
        NoWindowManager, // zel-wm route: the command was not taken
        Abandoned, // abandon() came before anything was sent
    };
    Q_ENUM(Failure)

    static constexpr int defaultPeerTimeoutMs = 30000;
    static constexpr int defaultLockSettleMs = 2000;

    explicit ActionJob(qint32 action, QObject *parent = nullptr);
    ~ActionJob() override;

    // How long a peer may take to answer the command.
    void setPeerTimeout(int msecs) { m_peerTimeoutMs = msecs; }
    // How long after Session.Lock its LockedHint is read.
    void setLockSettle(int msecs) { m_lockSettleMs = msecs; }

    void start();
    // The preset is gone or changed: nothing is sent from now on. A job that
    // has not sent yet finishes with Abandoned (from the event loop, also
    // while a password dialog is still open); once sent, this changes nothing.
    void abandon();

    qint32 action() const { return m_action; }
    bool isFinished() const { return m_finished; }
    Failure failure() const { return m_failure; }
    QString detail() const { return m_detail; }
    // The route used, in words; empty when there was none.
    QString routeName() const { return m_route.name; }
    // The outcome as the workers tell it.
    ActionFailure::Reason reason() const;
    // The sentence that tells the user why it was not carried out
    // (ActionFailure::text); empty when done or abandoned.
    QString failureText() const;

Q_SIGNALS:
    void finished();

private:
    void routeChosen();
    void findOwnSession();
    void authorize();
    void authorizeAs(const QString &actionId, qint64 pid);
    void send();
    void sendToZelWm();
    void answered(QDBusPendingCallWatcher *watcher);
    void readLockedHint();
    void explainBlock(const QString &message);
    void fail(Failure failure, const QString &detail = QString());
    void finish(Failure failure, const QString &detail = QString());
    QDBusPendingCallWatcher *watch(const QDBusPendingCall &call);

    const qint32 m_action;
    int m_peerTimeoutMs = defaultPeerTimeoutMs;
    int m_lockSettleMs = defaultLockSettleMs;
    DesktopProbe *m_probe = nullptr;
    DesktopRoutes::Route m_route;
    QString m_sessionPath;
    bool m_started = false;
    bool m_sent = false;
    bool m_abandoned = false;
    bool m_finished = false;
    Failure m_failure = Failure::None;
    QString m_detail;
};
