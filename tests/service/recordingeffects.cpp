// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "recordingeffects.h"

#include <QMutexLocker>

namespace
{
QString clock(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("hh:mm:ss"));
}
} // namespace

RecordingEffects::RecordingEffects(std::function<QDateTime()> clock) : m_clock(clock ? std::move(clock) : &QDateTime::currentDateTime) { }

RecordingEffects::Records RecordingEffects::records() const
{
    QMutexLocker locker(&m_mutex);
    return m_records;
}

void RecordingEffects::choose(quint32 id, int index)
{
    std::function<void(int)> chosen;
    {
        QMutexLocker locker(&m_mutex);
        const auto it = m_open.find(id);
        if (it == m_open.end()) {
            return;
        }
        chosen = it->second;
    }
    // Unlocked: the choice withdraws the warning.
    chosen(index);
}

void RecordingEffects::setLostOriginal(const QUuid &preset, const QDateTime &original)
{
    QMutexLocker locker(&m_mutex);
    m_lostOriginals[preset] = original;
}

void RecordingEffects::setOnCarryOut(std::function<void(qint32, const std::atomic<bool> &)> hook)
{
    QMutexLocker locker(&m_mutex);
    m_onCarryOut = std::move(hook);
}

quint32 RecordingEffects::warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen)
{
    QMutexLocker locker(&m_mutex);
    const quint32 id = quint32(m_records.warnings.size()) + 1;
    m_records.warnings.append({title, body, choices, id, m_clock()});
    m_open[id] = std::move(chosen);
    return id;
}

void RecordingEffects::withdraw(quint32 id)
{
    QMutexLocker locker(&m_mutex);
    if (m_open.erase(id)) {
        m_records.withdrawn.append(id);
    }
}

void RecordingEffects::tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail)
{
    QMutexLocker locker(&m_mutex);
    m_records.failures.append({action, reason, detail});
}

void RecordingEffects::notePostponed(const QUuid &, qint32, const QDateTime &original, const QDateTime &moment)
{
    QMutexLocker locker(&m_mutex);
    m_records.postponements << QStringLiteral("note %1 %2").arg(clock(original), clock(moment));
}

void RecordingEffects::dropPostponed(const QUuid &)
{
    QMutexLocker locker(&m_mutex);
    m_records.postponements << QStringLiteral("drop");
}

QDateTime RecordingEffects::lostOriginal(const QUuid &preset) const
{
    QMutexLocker locker(&m_mutex);
    const auto it = m_lostOriginals.find(preset);
    return it == m_lostOriginals.end() ? QDateTime() : it->second;
}

ActionFailure::Reason RecordingEffects::carryOut(qint32 action, const std::atomic<bool> &abandoned)
{
    std::function<void(qint32, const std::atomic<bool> &)> hook;
    {
        QMutexLocker locker(&m_mutex);
        m_records.executions.append({action, m_clock(), QThread::currentThreadId()});
        hook = m_onCarryOut;
    }
    // Unlocked: the hook may wait for the test's main thread.
    if (hook) {
        hook(action, abandoned);
    }
    return abandoned ? ActionFailure::Reason::Abandoned : ActionFailure::Reason::None;
}
