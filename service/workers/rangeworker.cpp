// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "rangeworker.h"

Agenda::Rules RangeWorker::rules() const
{
    const IntervalSettings window = preset()->interval();
    return Agenda::Rules{[window](const QDateTime &moment) { return Occurrence::firstAtOrAfter(window, moment); }, {}};
}

QDateTime RangeWorker::floorAt(const QDateTime &now) const
{
    return Occurrence::withoutMSecs(now).addSecs(1);
}
