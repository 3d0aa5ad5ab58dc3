// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "timerworker.h"

#include "duepolicy.h"
#include "presettext.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <limits>

namespace
{
// A timer may wake up a little before the millisecond it was armed for; the
// second is counted as ended that much early rather than waking up again.
constexpr qint64 earlyMs = 5;

// Unwatched, the remaining time is saved every this many seconds.
constexpr qint64 savedEverySeconds = 60;

qint64 monotonicNow()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A monotonic moment as DuePolicy takes moments.
QDateTime asMoment(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

// The second at whose end an unwatched countdown wakes next after second:
// its warning's (0: none to come), its action's, or the next to be saved.
qint64 nextUnwatchedSecond(qint64 second, qint64 fireSecond, qint64 warningSecond)
{
    qint64 next = std::min(fireSecond, (second / savedEverySeconds + 1) * savedEverySeconds);
    if (warningSecond > second) {
        next = std::min(next, warningSecond);
    }
    return next;
}
} // namespace

TimerWorker::TimerWorker(Preset::Ptr preset, std::shared_ptr<WorkerEffects> effects, Clock clock)
    : AbstractWorker(std::move(preset), std::move(effects)), m_clock(clock ? std::move(clock) : Clock(monotonicNow)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TimerWorker::onTimeout);
}

TimerWorker::~TimerWorker()
{
    stop();
}

QString TimerWorker::remainingTimeText(quint64 msecs)
{
    return PresetText::timeLeft(msecs);
}

qint64 TimerWorker::secondsPassed(qint64 now) const
{
    return std::max<qint64>(0, now - m_countedFrom + earlyMs) / 1000;
}

qint64 TimerWorker::fireSecond() const
{
    // At most about 1.8e16: no product with 1000 below is taken of more
    // than the seconds that have actually passed.
    return qint64(m_remainingAtStart / 1000) + 1;
}

qint64 TimerWorker::currentSecond(qint64 now) const
{
    return std::max(m_secondsReported, std::min(secondsPassed(now), fireSecond() - 1));
}

qint64 TimerWorker::warningSecond() const
{
    const quint64 lead = preset()->timer().notify;
    if (m_warned || lead == 0 || m_remainingAtStart <= lead || (m_remainingAtStart - lead) % 1000 != 0) {
        return 0;
    }
    return qint64((m_remainingAtStart - lead) / 1000);
}

void TimerWorker::count(qint64 moment)
{
    m_countedFrom = moment;
    m_remainingAtStart = preset()->timer().remainingTime;
    m_secondsReported = 0;
    m_counting = true;
    m_warned = false;
    advance();
}

void TimerWorker::start()
{
    preset()->markStarted();
    report();
    count(m_clock());
}

void TimerWorker::setPreset(Preset::Ptr preset)
{
    withdrawWarning();
    AbstractWorker::setPreset(std::move(preset));
    if (!this->preset()->isRunning()) {
        m_counting = false;
        m_timer->stop();
        return;
    }
    // Counted on from the last second reported, so that the seconds keep
    // their phase.
    count(m_counting ? m_countedFrom + currentSecond(m_clock()) * 1000 : m_clock());
}

void TimerWorker::setWatched(bool watched)
{
    if (watched == m_watched) {
        return;
    }
    m_watched = watched;
    if (!m_counting || !preset()->isRunning()) {
        return;
    }
    if (watched) {
        advance();
    } else {
        arm(m_clock());
    }
}

void TimerWorker::halt()
{
    withdrawWarning();
    preset()->timer().remainingTime = m_remainingAtStart - quint64(currentSecond(m_clock())) * 1000;
    m_counting = false;
    m_timer->stop();
    preset()->markPaused();
    report();
}

void TimerWorker::pause()
{
    if (m_counting) {
        halt();
    }
}

void TimerWorker::stop()
{
    pause();
    TimerSettings &timer = preset()->timer();
    timer.remainingTime = timer.timeout;
    preset()->markStopped();
    report();
}

void TimerWorker::onTimeout()
{
    if (m_counting && preset()->isRunning()) {
        advance();
    }
}

void TimerWorker::advance()
{
    const qint64 now = m_clock();
    const qint64 seconds = secondsPassed(now);
    if (seconds >= fireSecond()) {
        const qint64 due = m_countedFrom + fireSecond() * 1000;
        if (DuePolicy::judge(asMoment(due), asMoment(now), QDateTime()) == DuePolicy::Verdict::Missed) {
            const qint32 action = preset()->actionType();
            stop();
            effects()->tellSkipped(action, ActionFailure::Reason::Skipped, QDateTime::currentDateTime().addMSecs(due - now));
        } else {
            execute();
        }
        return;
    }
    if (seconds > m_secondsReported) {
        m_secondsReported = seconds;
        TimerSettings &timer = preset()->timer();
        timer.remainingTime = m_remainingAtStart - quint64(seconds) * 1000;
        report(false);
        // The warning belongs to the second that brings the remaining time
        // to the lead; come late, it is given within a minute.
        const qint64 warning = warningSecond();
        if (warning != 0 && seconds >= warning) {
            m_warned = true;
            const DuePolicy::Verdict verdict =
                DuePolicy::judgeWarning(asMoment(m_countedFrom + warning * 1000), asMoment(m_countedFrom + fireSecond() * 1000), asMoment(now), QDateTime());
            if (verdict == DuePolicy::Verdict::OnTime || verdict == DuePolicy::Verdict::Late) {
                sendNotification();
            }
        }
    }
    arm(now);
}

void TimerWorker::arm(qint64 now)
{
    // Unwatched, the seconds between are left out; at most a minute apart.
    const qint64 next = m_watched ? m_secondsReported + 1 : nextUnwatchedSecond(m_secondsReported, fireSecond(), warningSecond());
    m_timer->start(int(std::max<qint64>(0, m_countedFrom + next * 1000 - now)));
}

void TimerWorker::sendNotification()
{
    const QString text = tr("The %1 action will be executed after %2").arg(preset()->actionName(), remainingTimeText(preset()->timer().remainingTime));
    showWarning(tr("Timer"), text, true, [this](Choice choice) { choose(choice); });
}

void TimerWorker::choose(Choice choice)
{
    if (!m_counting || !preset()->isRunning()) {
        return;
    }
    if (choice == Cancel) {
        stop();
        return;
    }
    // Ten minutes more, counted on from the second it stands in (unwatched,
    // the last one reported may be a minute old).
    const qint64 seconds = currentSecond(m_clock());
    const quint64 remaining = m_remainingAtStart - quint64(seconds) * 1000;
    preset()->timer().remainingTime =
        remaining > std::numeric_limits<quint64>::max() - postponeMSecs ? std::numeric_limits<quint64>::max() : remaining + postponeMSecs;
    report();
    count(m_countedFrom + seconds * 1000);
}

void TimerWorker::postpone()
{
    withdrawWarning();
    choose(Postpone);
}

void TimerWorker::execute()
{
    // Reported paused where it stood, then stopped.
    stop();
    // The stopped state has to be on disk before the action may end the
    // session, or a restarted service would run the countdown (and the
    // action) once more.
    executeWhenSaved(preset()->actionType());
}
