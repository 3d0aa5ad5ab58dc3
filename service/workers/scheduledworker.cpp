// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "scheduledworker.h"

#include "duepolicy.h"

Agenda::Rules ScheduledWorker::rules() const
{
    const ScheduleSettings schedule = preset()->schedule();
    // A Turn On is not warned of: asleep, the machine shows nothing, and
    // awake, nothing is about to happen to it.
    const bool warns = preset()->actionType() != ActionType::TurnOn;
    return Agenda::Rules{
        [schedule](const QDateTime &moment) { return Occurrence::firstAtOrAfter(schedule, moment); },
        [schedule, warns](const QDateTime &moment) { return warns ? Occurrence::nextWarning(schedule, moment) : Occurrence::Warning(); },
    };
}

QDateTime ScheduledWorker::floorAt(const QDateTime &now) const
{
    // Started within an occurrence's second, it acts in that second.
    return Occurrence::withoutMSecs(now);
}

QDateTime ScheduledWorker::warningOnStart(const QDateTime &now) const
{
    if (preset()->actionType() == ActionType::TurnOn) {
        return QDateTime();
    }
    return Occurrence::warningOnStart(preset()->schedule(), now);
}

void ScheduledWorker::restore()
{
    const QDateTime now = this->now();
    if (preset()->schedule().repeat.type == RepeatType::Never) {
        const QDateTime once = Occurrence::firstAtOrAfter(preset()->schedule(), QDateTime::fromMSecsSinceEpoch(0));
        if (once.isValid() && once == effects()->lostOriginal(preset()->id())) {
            // Postponed, and the postponement was lost with the restart
            // (told as such): nothing remains.
            preset()->markStopped();
            report();
            return;
        }
        if (once.isValid() && once < floorAt(now)) {
            if (once.msecsTo(now) > DuePolicy::lateLimitMSecs) {
                preset()->markStopped();
                report();
                effects()->tellSkipped(preset()->actionType(), ActionFailure::Reason::SkippedNotRunning, once);
                return;
            }
            begin(once);
            return;
        }
    }
    OccurrenceWorker::restore();
}

bool ScheduledWorker::warnsAgain() const
{
    return preset()->schedule().notify >= 1000;
}

void ScheduledWorker::sendNotification()
{
    const QDateTime occurrence = warnedOccurrence();
    showWarning(tr("Schedule"), tr("The %1 action will be executed soon").arg(preset()->actionName()), true, [this, occurrence](Choice choice) {
        choose(occurrence, choice);
    });
}
