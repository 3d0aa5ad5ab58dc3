// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "occurrenceworker.h"

// A calendar schedule (see Occurrence for its rules): carries out the action
// at every occurrence from the moment it is started, warns a lead before each
// one (at once when started inside a lead), and stops once no occurrence
// remains before its end.
//
// At the start of the service it never looks back: an occurrence that may
// have been carried out before a restart is not carried out again. Only a
// one-off schedule found running with its time past is known not to have
// been carried out (its stopped state is saved before its action): within a
// minute it is carried out late, otherwise it is stopped and the user told.
//
// Its warning offers to cancel the occurrence (that one only; the schedule
// runs on, or stops when none remains) or to postpone it by ten minutes (once;
// with a lead, warned again ten minutes before its new moment).
class ScheduledWorker : public OccurrenceWorker
{
    Q_OBJECT
public:
    using OccurrenceWorker::OccurrenceWorker;

public Q_SLOTS:
    void restore() override;

private Q_SLOTS:
    void sendNotification() override;

private:
    Agenda::Rules rules() const override;
    QDateTime floorAt(const QDateTime &now) const override;
    QDateTime warningOnStart(const QDateTime &now) const override;
    bool warnsAgain() const override;
};
