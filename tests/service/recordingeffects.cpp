// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "recordingeffects.h"

#include <QTimer>

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
    return m_records;
}

void RecordingEffects::choose(quint32 id, int index)
{
    std::function<void(int)> chosen;
    {
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
    m_lostOriginals[preset] = original;
}

void RecordingEffects::setOnCarryOut(std::function<void(qint32)> hook)
{
    m_onCarryOut = std::move(hook);
}

void RecordingEffects::setHolding(bool holding)
{
    m_holding = holding;
}

void RecordingEffects::release(ActionFailure::Reason reason)
{
    const QVector<Held> held = std::exchange(m_held, {});
    for (const Held &action : held) {
        if (action.context) {
            action.done(reason, QString());
        }
    }
}

int RecordingEffects::dropped() const
{
    return int(std::count_if(m_held.cbegin(), m_held.cend(), [](const Held &action) { return action.context.isNull(); }));
}

quint32 RecordingEffects::warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen)
{
    const quint32 id = quint32(m_records.warnings.size()) + 1;
    m_records.warnings.append({title, body, choices, id, m_clock()});
    m_open[id] = std::move(chosen);
    return id;
}

void RecordingEffects::withdraw(quint32 id)
{
    if (m_open.erase(id)) {
        m_records.withdrawn.append(id);
    }
}

void RecordingEffects::tellWoken(const QString &name)
{
    m_records.woken.append(name);
}

void RecordingEffects::tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail)
{
    m_records.failures.append({action, reason, detail});
}

void RecordingEffects::notePostponed(const QUuid &, qint32, const QDateTime &original, const QDateTime &moment)
{
    m_records.postponements << QStringLiteral("note %1 %2").arg(clock(original), clock(moment));
}

void RecordingEffects::dropPostponed(const QUuid &)
{
    m_records.postponements << QStringLiteral("drop");
}

QDateTime RecordingEffects::lostOriginal(const QUuid &preset) const
{
    const auto it = m_lostOriginals.find(preset);
    return it == m_lostOriginals.end() ? QDateTime() : it->second;
}

void RecordingEffects::carryOut(qint32 action, QObject *context, Done done)
{
    m_records.executions.append({action, m_clock(), QThread::currentThreadId()});
    if (m_onCarryOut) {
        m_onCarryOut(action);
    }
    if (m_holding) {
        m_held.append({context, std::move(done)});
        return;
    }
    // As the real job: answered from the event loop, never after its worker.
    QTimer::singleShot(0, context, [done = std::move(done)] { done(ActionFailure::Reason::None, QString()); });
}
