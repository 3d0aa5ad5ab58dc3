// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>
#include <QObject>
#include <QVector>

// The machine's wake-up for Turn On: one timerfd on CLOCK_REALTIME_ALARM,
// armed at an absolute wall-clock time. While it is armed the kernel programs
// the real-time clock's alarm from it when the machine suspends, so the
// machine wakes at that time (from hibernation too, where the firmware keeps
// the alarm). Creating such a timer needs CAP_WAKE_ALARM and nothing else;
// without it the alarm is not available and arm() does nothing.
//
// The timer is one more descriptor in the main thread's event loop: it costs
// nothing until it expires. Then expired() says whether the machine slept
// since the alarm was last armed: it woke (normally for this very alarm),
// which a desktop without logind's sleep signal would not tell. Spent, the
// alarm waits to be armed again. One per process, on the main thread.
class WakeAlarm : public QObject
{
    Q_OBJECT
public:
    explicit WakeAlarm(QObject *parent = nullptr);
    ~WakeAlarm() override;

    bool isAvailable() const { return m_fd >= 0; }
    // Arms the alarm at moment, or disarms it for an invalid one. Arming
    // again at the moment it is armed at changes nothing.
    void arm(const QDateTime &moment);

    // When the machine must be awake for the running Turn On schedules: the
    // earliest of their occurrences strictly after now; invalid when none
    // comes. Paused and stopped presets, other actions and other kinds of
    // preset do not wake the machine.
    static QDateTime due(const QVector<Preset::Ptr> &presets, const QDateTime &now);
    // Whether a wake from sleep seen at resumed was the wake for an
    // occurrence: within a few seconds of it, either way (the real-time clock
    // counts whole seconds; logind tells of the wake a little later).
    static bool wokenFor(const QDateTime &resumed, const QDateTime &occurrence);
    // The one command that grants the service the right to wake the machine.
    static QString grantCommand();

Q_SIGNALS:
    void expired(bool afterSleep);

private:
    // Replaces the timer with a fresh one; false if that failed.
    bool disarm();
    void onExpired();

    int m_fd = -1;
    QDateTime m_armedAt;
    // Time spent asleep since boot when last armed (see onExpired()).
    qint64 m_asleepMSecs = 0;
};
