// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "occurrenceworker.h"

#include "wakealarm.h"
#include "wakealarm_debug.h"

#include <QTimer>

#include <algorithm>

namespace
{
// The longest the timer is armed for at once.
constexpr qint64 longestWaitMs = 3600 * 1000;
} // namespace

OccurrenceWorker::OccurrenceWorker(Preset::Ptr preset, std::shared_ptr<WorkerEffects> effects, Clock clock)
    : AbstractWorker(std::move(preset), std::move(effects)), m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTime)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &OccurrenceWorker::onTimeout);
}

// A postponement still noted is told at the next start; a removed preset's
// note is dropped by WorkerController.
OccurrenceWorker::~OccurrenceWorker() = default;

QDateTime OccurrenceWorker::warningOnStart(const QDateTime &) const
{
    return QDateTime();
}

void OccurrenceWorker::start()
{
    begin(floorAt(now()));
}

void OccurrenceWorker::restore()
{
    // An occurrence postponed before the service last ended stays away
    // from its own time too.
    const QDateTime moved = effects()->lostOriginal(preset()->id());
    if (moved.isValid() && !(m_state.handledUpTo.isValid() && moved <= m_state.handledUpTo)) {
        m_state.cancelled.push_back(moved);
    }
    AbstractWorker::restore();
}

void OccurrenceWorker::begin(const QDateTime &floor)
{
    preset()->markStarted();
    report();
    m_active = true;
    const QDateTime moment = now();
    m_state.floor = floor;
    m_state.warnedUpTo = moment;
    const QDateTime warned = warningOnStart(moment);
    if (warned.isValid() && warned != m_state.lastWarned) {
        m_state.lastWarned = warned;
        m_warnedOccurrence = warned;
        sendNotification();
    }
    evaluate();
}

void OccurrenceWorker::halt()
{
    withdrawWarning();
    // Paused or stopped: a postponed occurrence goes with the run.
    if (m_state.postponed.isValid()) {
        m_state.postponed = m_state.postponedWarning = QDateTime();
        effects()->dropPostponed(preset()->id());
    }
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
    withdrawWarning();
    AbstractWorker::setPreset(std::move(preset));
    if (!this->preset()->isRunning()) {
        halt();
    } else if (m_active) {
        evaluate();
    }
}

void OccurrenceWorker::clockChanged(ClockChange change)
{
    if (change == ClockChange::Resumed) {
        m_resumedAt = now();
    }
    if (!m_active) {
        return;
    }
    m_skipReason = change == ClockChange::Set ? ActionFailure::Reason::SkippedClockSet : ActionFailure::Reason::Skipped;
    evaluate();
    m_skipReason = ActionFailure::Reason::Skipped;
}

void OccurrenceWorker::choose(const QDateTime &occurrence, Choice choice)
{
    if (!m_active) {
        return;
    }
    const QDateTime postponed = m_state.postponed;
    const bool changed = choice == Cancel ? Agenda::cancel(m_state, occurrence) : Agenda::postpone(m_state, occurrence, postponeMSecs, warnsAgain());
    if (!changed) {
        return;
    }
    if (m_state.postponed != postponed) {
        if (m_state.postponed.isValid()) {
            effects()->notePostponed(preset()->id(), preset()->actionType(), occurrence, m_state.postponed);
        } else {
            effects()->dropPostponed(preset()->id());
        }
    }
    evaluate();
}

void OccurrenceWorker::postpone()
{
    if (!m_active) {
        return;
    }
    const QDateTime next = Agenda::upcoming(rules(), m_state);
    if (!next.isValid()) {
        return;
    }
    // The warning on screen offers to postpone what is postponed now.
    if (next == m_warnedOccurrence) {
        withdrawWarning();
    }
    choose(next, Postpone);
}

void OccurrenceWorker::onTimeout()
{
    if (m_active) {
        evaluate();
    }
}

void OccurrenceWorker::evaluate()
{
    const bool postponed = m_state.postponed.isValid();
    const Agenda::Step step = Agenda::evaluate(rules(), m_state, now());
    if (postponed && !m_state.postponed.isValid()) {
        effects()->dropPostponed(preset()->id());
    }
    if (step.carryOut.isValid()) {
        withdrawWarning();
    }
    if (step.warn.isValid()) {
        m_warnedOccurrence = step.warn;
        sendNotification();
    }
    if (step.skipped.isValid()) {
        effects()->tellSkipped(preset()->actionType(), m_skipReason, step.skipped);
    }
    if (step.finished) {
        stop();
    }
    if (step.carryOut.isValid()) {
        if (preset()->actionType() == ActionType::TurnOn) {
            turnedOn(step.carryOut);
        } else {
            execute();
        }
    }
    if (m_active && step.wakeAt.isValid()) {
        // Looked at again after the action was handed on, from the clock of
        // that moment.
        const qint64 wait = now().msecsTo(step.wakeAt);
        m_timer->start(int(std::clamp<qint64>(wait, 0, longestWaitMs)));
    }
}

void OccurrenceWorker::turnedOn(const QDateTime &occurrence)
{
    const bool woken = WakeAlarm::wokenFor(m_resumedAt, occurrence);
    qCInfo(WAKEALARM) << "Turn On of preset" << preset()->id() << "due at" << occurrence.toString(Qt::ISODate)
                      << (woken ? "woke the machine" : "found the machine on");
    if (woken) {
        effects()->tellWoken(preset()->name().isEmpty() ? preset()->actionName() : preset()->name());
    }
}
