// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <PolkitQt1/Authority>

#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>

#include <functional>

class QTimer;

// polkit checks made without blocking, on the main thread, through
// polkit-qt's asynchronous checkAuthorization. polkit-qt keeps one Authority
// per process whose checkAuthorizationFinished does not say which check it
// answers, and whose error state (which makes every later check a silent
// no-op) is a plain member: so checks run one at a time, each from a clean
// state. A second power action therefore waits while the first one's
// password dialog is open, which also spares the user two dialogs at once.
//
// A failed check emits nothing in polkit-qt, only sets the error state; it
// is looked at on a short timer while a check is open.
class PolkitQueue : public QObject
{
    Q_OBJECT
public:
    // result is Yes, No, Challenge, or Unknown when polkit could not be asked
    // (error then holds polkit's words).
    using Done = std::function<void(PolkitQt1::Authority::Result result, const QString &error)>;

    static PolkitQueue *instance();

    // Asks whether process pid may do actionId, letting polkit ask the user
    // for a password when interactive. done is called once, later, from the
    // event loop; never when context is gone by then.
    void check(QObject *context, const QString &actionId, qint64 pid, bool interactive, Done done);

private:
    struct Request
    {
        QPointer<QObject> context;
        QString actionId;
        qint64 pid = 0;
        bool interactive = false;
        Done done;
    };

    explicit PolkitQueue(QObject *parent = nullptr);
    void next();
    void finish(PolkitQt1::Authority::Result result, const QString &error);

    QQueue<Request> m_queue;
    bool m_busy = false; // a check is open or about to be
    bool m_inFlight = false; // polkit-qt has a check of ours open
    Request m_current;
    QTimer *m_errorPoll;
};
