// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fakeactions.h"

#include "executor.h"
#include "notificator.h"

#include <QDateTime>
#include <QMutex>
#include <QMutexLocker>

namespace
{
QMutex mutex;
QVector<FakeActions::Execution> executed;
QVector<FakeActions::Notification> notified;
std::function<void(qint32)> executeHook;
} // namespace

namespace FakeActions
{
void reset()
{
    QMutexLocker locker(&mutex);
    executed.clear();
    notified.clear();
    executeHook = nullptr;
}

QVector<Execution> executions()
{
    QMutexLocker locker(&mutex);
    return executed;
}

QVector<Notification> notifications()
{
    QMutexLocker locker(&mutex);
    return notified;
}

void setExecuteHook(std::function<void(qint32)> hook)
{
    QMutexLocker locker(&mutex);
    executeHook = std::move(hook);
}
} // namespace FakeActions

bool Executor::exec(qint32 type)
{
    std::function<void(qint32)> hook;
    {
        QMutexLocker locker(&mutex);
        executed.append({type, QDateTime::currentMSecsSinceEpoch(), QThread::currentThreadId()});
        hook = executeHook;
    }
    if (hook) {
        hook(type);
    }
    m_failure = ActionFailure::Reason::None;
    return true;
}

void Notificator::notify(const QString &title, const QString &body)
{
    QMutexLocker locker(&mutex);
    notified.append({title, body, QDateTime::currentMSecsSinceEpoch(), false});
}

void Notificator::failed(const QString &title, const QString &body, bool quiet)
{
    QMutexLocker locker(&mutex);
    notified.append({title, body, QDateTime::currentMSecsSinceEpoch(), true, quiet});
}
