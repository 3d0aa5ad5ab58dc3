// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "scheduledworker.h"

#include "duepolicy.h"
#include "notificator.h"

ScheduledWorker::ScheduledWorker(Preset::Ptr preset) : OccurrenceWorker(std::move(preset)) { }

Agenda::Rules ScheduledWorker::rules() const
{
    const ScheduleSettings schedule = preset()->schedule();
    return Agenda::Rules{
        [schedule](const QDateTime &moment) { return Occurrence::firstAtOrAfter(schedule, moment); },
        [schedule](const QDateTime &moment) { return Occurrence::nextWarning(schedule, moment); },
    };
}

QDateTime ScheduledWorker::floorAt(const QDateTime &now) const
{
    // Started within an occurrence's second, it acts in that second.
    return Occurrence::withoutMSecs(now);
}

QDateTime ScheduledWorker::warningOnStart(const QDateTime &now) const
{
    return Occurrence::warningOnStart(preset()->schedule(), now);
}

void ScheduledWorker::restore()
{
    const QDateTime now = QDateTime::currentDateTime();
    if (preset()->schedule().repeat.type == RepeatType::Never) {
        const QDateTime once = Occurrence::firstAtOrAfter(preset()->schedule(), QDateTime::fromMSecsSinceEpoch(0));
        if (once.isValid() && once < floorAt(now)) {
            if (once.msecsTo(now) > DuePolicy::lateLimitMSecs) {
                preset()->markStopped();
                report();
                ActionFailure::tell(preset()->actionType(), ActionFailure::Reason::SkippedNotRunning, once);
                return;
            }
            begin(once);
            return;
        }
    }
    start();
}

void ScheduledWorker::sendNotification()
{
    Notificator().notify(tr("Schedule"), tr("The %1 action will be executed soon").arg(preset()->actionName()));
}
