// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "duepolicy.h"

namespace DuePolicy
{
Verdict judge(const QDateTime &due, const QDateTime &now, const QDateTime &lastHandled)
{
    if (lastHandled.isValid() && due <= lastHandled) {
        return Verdict::Handled;
    }
    const qint64 overdue = due.msecsTo(now);
    if (overdue < 0) {
        return Verdict::NotYet;
    }
    if (overdue < 1000) {
        return Verdict::OnTime;
    }
    return overdue <= lateLimitMSecs ? Verdict::Late : Verdict::Missed;
}

Verdict judgeWarning(const QDateTime &at, const QDateTime &occurrence, const QDateTime &now, const QDateTime &lastWarned)
{
    if (lastWarned.isValid() && occurrence <= lastWarned) {
        return Verdict::Handled;
    }
    // A warning for what has already come would announce the past.
    if (occurrence <= now) {
        return Verdict::Missed;
    }
    return judge(at, now, QDateTime());
}
} // namespace DuePolicy
