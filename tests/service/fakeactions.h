// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// Stand-ins for the executor and the notificator in the timing-engine tests:
// linked into a test as an object file, they take the place of the real ones
// and only record what the workers asked for. Nothing here acts on the
// machine or the desktop.

#include <QString>
#include <QStringList>
#include <QThread>
#include <QVector>

#include <functional>

namespace FakeActions
{
struct Execution
{
    qint32 action;
    qint64 atMSecs; // local wall-clock time of the call
    Qt::HANDLE thread;
};

struct Notification
{
    QString title;
    QString body;
    qint64 atMSecs;
    bool failure = false; // event "failed" rather than the warning
    bool quiet = false;
    QStringList choices; // of a warning that stays until withdrawn
    quint32 id = 0; // of such a warning
};

void reset();
QVector<Execution> executions();
QVector<Notification> notifications();
// The ids of the warnings withdrawn, in order.
QVector<quint32> withdrawn();
// The user picks choice index of the warning id (if it is still open).
void choose(quint32 id, int index);
// Runs inside Executor::exec, on the calling worker's thread, before it returns.
void setExecuteHook(std::function<void(qint32 action)> hook);
} // namespace FakeActions
