// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "occurrenceworker.h"

#include <QTimer>

#include <algorithm>

namespace
{
// The longest the timer is armed for at once.
constexpr qint64 longestWaitMs = 3600 * 1000;
} // namespace

OccurrenceWorker::OccurrenceWorker(Preset::Ptr preset) : AbstractWorker(std::move(preset)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &OccurrenceWorker::onTimeout);
}

OccurrenceWorker::~OccurrenceWorker() = default;

QDateTime OccurrenceWorker::warningOnStart(const QDateTime &) const
{
    return QDateTime();
}

void OccurrenceWorker::start()
{
    begin(floorAt(QDateTime::currentDateTime()));
}

void OccurrenceWorker::begin(const QDateTime &floor)
{
    preset()->markStarted();
    report();
    m_active = true;
    const QDateTime now = QDateTime::currentDateTime();
    m_state.floor = floor;
    m_state.warnedUpTo = now;
    const QDateTime warned = warningOnStart(now);
    if (warned.isValid() && warned != m_state.lastWarned) {
        m_state.lastWarned = warned;
        sendNotification();
    }
    evaluate();
}

void OccurrenceWorker::halt()
{
    m_active = false;
    m_timer->stop();
}

void OccurrenceWorker::pause()
{
    halt();
    preset()->markPaused();
    report();
}

void OccurrenceWorker::stop()
{
    halt();
    preset()->markStopped();
    report();
}

void OccurrenceWorker::setPreset(Preset::Ptr preset)
{
    AbstractWorker::setPreset(std::move(preset));
    if (!this->preset()->isRunning()) {
        halt();
    } else if (m_active) {
        evaluate();
    }
}

void OccurrenceWorker::clockChanged(ClockChange change)
{
    if (!m_active) {
        return;
    }
    m_skipReason = change == ClockChange::Set ? ActionFailure::Reason::SkippedClockSet : ActionFailure::Reason::Skipped;
    evaluate();
    m_skipReason = ActionFailure::Reason::Skipped;
}

void OccurrenceWorker::onTimeout()
{
    if (m_active) {
        evaluate();
    }
}

void OccurrenceWorker::evaluate()
{
    const QDateTime now = QDateTime::currentDateTime();
    const Agenda::Step step = Agenda::evaluate(rules(), m_state, now);
    if (step.warn.isValid()) {
        sendNotification();
    }
    if (step.skipped.isValid()) {
        ActionFailure::tell(preset()->actionType(), m_skipReason, step.skipped);
    }
    if (step.finished) {
        stop();
    }
    if (step.carryOut.isValid()) {
        execute();
    }
    if (m_active && step.wakeAt.isValid()) {
        // Looked at again after the action was handed on, from the clock of
        // that moment.
        const qint64 wait = QDateTime::currentDateTime().msecsTo(step.wakeAt);
        m_timer->start(int(std::clamp<qint64>(wait, 0, longestWaitMs)));
    }
}
