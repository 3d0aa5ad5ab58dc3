// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fakeactions.h"

#include "executor.h"
#include "notificator.h"

#include <QDateTime>
#include <QMutex>
#include <QMutexLocker>

#include <map>

namespace
{
QMutex mutex;
QVector<FakeActions::Execution> executed;
QVector<FakeActions::Notification> notified;
std::function<void(qint32)> executeHook;
QVector<quint32> withdrawnIds;
std::map<quint32, std::function<void(int)>> openWarnings;
quint32 lastWarningId = 0;
} // namespace

namespace FakeActions
{
void reset()
{
    QMutexLocker locker(&mutex);
    executed.clear();
    notified.clear();
    executeHook = nullptr;
    withdrawnIds.clear();
    openWarnings.clear();
}

QVector<quint32> withdrawn()
{
    QMutexLocker locker(&mutex);
    return withdrawnIds;
}

void choose(quint32 id, int index)
{
    std::function<void(int)> chosen;
    {
        QMutexLocker locker(&mutex);
        const auto it = openWarnings.find(id);
        if (it == openWarnings.end()) {
            return;
        }
        chosen = it->second;
    }
    chosen(index);
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

quint32 Notificator::warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen)
{
    QMutexLocker locker(&mutex);
    const quint32 id = ++lastWarningId;
    notified.append({title, body, QDateTime::currentMSecsSinceEpoch(), false, false, choices, id});
    openWarnings[id] = std::move(chosen);
    return id;
}

void Notificator::withdraw(quint32 id)
{
    QMutexLocker locker(&mutex);
    if (openWarnings.erase(id)) {
        withdrawnIds.append(id);
    }
}

void Notificator::failed(const QString &title, const QString &body, bool quiet)
{
    QMutexLocker locker(&mutex);
    notified.append({title, body, QDateTime::currentMSecsSinceEpoch(), true, quiet, {}, 0});
}
