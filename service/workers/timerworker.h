// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"

#include <functional>

class QTimer;

// A countdown on the monotonic clock: started (or resumed) with a remaining
// time R at the moment t0, its k-th second ends at t0 + k s, whatever stalls
// or load came in between, and time the machine spends asleep does not count
// (the monotonic clock stands still then). At the end of every second while R
// - k s >= 0 it reports the remaining time (a report that may wait for the
// store's next write); the warning comes with the second that brings the
// remaining time exactly to the lead; the action comes one second after the
// last report, at t0 + (R / 1 s + 1) s, as the count of seconds always gave
// it. Seconds that a stall swallowed are reported once, as one step.
//
// Unwatched (see AbstractWorker), it wakes only for its warning, its action
// and every sixtieth second, whose report is saved; its seconds keep their
// phase, and watched again it reports the second it is in at once.
//
// A countdown that ran out while the process was stalled is judged by
// DuePolicy: carried out late within a minute, otherwise not carried out (the
// user is told) and stopped. A warning that comes late is given only within
// a minute and before the action.
//
// The warning stays on screen until the countdown fires or is paused,
// stopped, changed or removed. From it the user may cancel (the countdown
// stops, as by the stop command) or postpone it (ten minutes more remaining;
// the warning comes again when the remaining time reaches the lead).
class TimerWorker : public AbstractWorker
{
    Q_OBJECT
public:
    // Milliseconds of a monotonic clock.
    using Clock = std::function<qint64()>;

    // clock: where the time comes from; the system's monotonic clock if none.
    TimerWorker(Preset::Ptr preset, std::shared_ptr<WorkerEffects> effects, Clock clock = Clock());
    ~TimerWorker() override;

    // The remaining time as the warning shows it: hours, minutes and seconds,
    // two digits each and joined by colons. Hours go on past 23 (25:00:00).
    static QString remainingTimeText(quint64 msecs);

public Q_SLOTS:
    void start() override;
    void pause() override;
    void stop() override;
    void postpone() override;
    void setPreset(Preset::Ptr preset) override;
    void setWatched(bool watched) override;

private Q_SLOTS:
    void onTimeout() override;
    void sendNotification() override;
    void execute() override;

private:
    // Starts counting from the preset's remaining time at moment.
    void count(qint64 moment);
    // Reports the seconds passed since the last report, warns, or fires.
    void advance();
    // Whole seconds counted from the start of counting until now.
    qint64 secondsPassed(qint64 now) const;
    // The second counting stands in now: the last one reported, or a later
    // one that has passed without its report yet, never the fire second.
    qint64 currentSecond(qint64 now) const;
    // The second whose warning is due, or 0 for none.
    qint64 warningSecond() const;
    // Sleeps until the next second to handle after the last one reported.
    void arm(qint64 now);
    // The second at whose end the countdown fires.
    qint64 fireSecond() const;
    // The user's choice on the warning: stop, or ten minutes more.
    void choose(Choice choice);
    // Stops counting, with the remaining time of the last second passed
    // (never below the last second), and reports it paused.
    void halt();

    Clock m_clock;
    QTimer *m_timer;
    // While counting: when it started counting, from which remaining time,
    // and how many of its seconds have been reported.
    qint64 m_countedFrom = 0;
    quint64 m_remainingAtStart = 0;
    qint64 m_secondsReported = 0;
    bool m_counting = false;
    bool m_warned = false;
    bool m_watched = true;
};
