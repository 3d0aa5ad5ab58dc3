// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"
#include "agenda.h"

#include <QDateTime>

#include <functional>

class QTimer;

// Base of the workers whose actions fall on wall-clock times (schedules and
// daily windows). It sleeps on one precise timer until the next moment
// anything is due (an action, a warning), looks at the clock then, and
// handles what is due by Agenda: nothing is repeated, what passed by at most
// a minute is carried out late, once, and what passed by more is skipped and
// told. When no occurrence remains it stops the preset (reported before the
// last action, like a fired countdown). A wall clock that is set and a wake
// from sleep make it look again at once; a long wait is cut into pieces of at
// most an hour, so that a change nobody announced is noticed within one.
//
// A preset given through setPreset() applies at once; one that is not
// running makes the worker fall idle until the next start.
//
// A Turn On occurrence carries nothing out (the machine is on; WakeAlarm
// woke it): it is handled like any other and logged, and when the machine
// woke from sleep for it, the user is told.
//
// A warning stays on screen until the action comes or the preset is paused,
// stopped, changed or removed. The choices on it (see choose()) cancel its
// occurrence or postpone it; both are kept by this worker only.
class OccurrenceWorker : public AbstractWorker
{
    Q_OBJECT
public:
    // The local wall-clock time.
    using Clock = std::function<QDateTime()>;

    // clock: where the time comes from; the system's clock if none.
    OccurrenceWorker(Preset::Ptr preset, std::shared_ptr<WorkerEffects> effects, Clock clock = Clock());
    ~OccurrenceWorker() override;

public Q_SLOTS:
    void start() override;
    void restore() override;
    void pause() override;
    void stop() override;
    void postpone() override;
    void setPreset(Preset::Ptr preset) override;
    void clockChanged(AbstractWorker::ClockChange change) override;

protected Q_SLOTS:
    void onTimeout() override;

protected:
    QDateTime now() const { return m_clock(); }
    virtual Agenda::Rules rules() const = 0;
    // The first moment at which an action may fall when started at now.
    virtual QDateTime floorAt(const QDateTime &now) const = 0;
    // The occurrence to warn of at once when started at now (invalid: none).
    virtual QDateTime warningOnStart(const QDateTime &now) const;
    // Starts with the given floor.
    void begin(const QDateTime &floor);
    // The occurrence that sendNotification() warns of.
    QDateTime warnedOccurrence() const { return m_warnedOccurrence; }
    // Whether a postponed occurrence is warned of again.
    virtual bool warnsAgain() const { return false; }
    // The user's choice on the warning of occurrence: that occurrence alone
    // is not carried out, or it is carried out postponeMSecs later, once.
    // Nothing happens when it is done with already.
    void choose(const QDateTime &occurrence, Choice choice);

private:
    void evaluate();
    void halt();
    void turnedOn(const QDateTime &occurrence);

    Clock m_clock;
    QTimer *m_timer;
    Agenda::State m_state;
    QDateTime m_warnedOccurrence;
    bool m_active = false;
    // When the machine last woke from sleep, as far as this worker saw.
    QDateTime m_resumedAt;
    // Why the clock is looked at out of turn, while it is.
    ActionFailure::Reason m_skipReason = ActionFailure::Reason::Skipped;
};
