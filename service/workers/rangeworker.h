// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "occurrenceworker.h"

// A daily window (see Occurrence for its rules): carries out the action at
// the window's opening and every period after it, up to its end, every day,
// until it is paused or stopped. The second in which it is started never
// acts. It gives no warning.
class RangeWorker : public OccurrenceWorker
{
    Q_OBJECT
public:
    using OccurrenceWorker::OccurrenceWorker;

private:
    Agenda::Rules rules() const override;
    QDateTime floorAt(const QDateTime &now) const override;
};
