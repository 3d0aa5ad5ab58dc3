// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "agenda.h"

#include "duepolicy.h"

#include <algorithm>

namespace Agenda
{
namespace
{
// Warnings taken at one look at most; more (a lead spanning many periods
// after a long stall) are taken at the next look, at once.
constexpr int warningsPerLook = 8;

QDateTime earliest(const QDateTime &a, const QDateTime &b)
{
    if (!a.isValid()) {
        return b;
    }
    return b.isValid() && b < a ? b : a;
}
} // namespace

Step evaluate(const Rules &rules, State &state, const QDateTime &now)
{
    Step step;
    const auto after = [](const QDateTime &moment) { return moment.addMSecs(1); };
    const QDateTime from = state.handledUpTo.isValid() ? std::max(state.floor, after(state.handledUpTo)) : state.floor;
    QDateTime next = rules.atOrAfter(from);
    if (next.isValid() && DuePolicy::judge(next, now, state.handledUpTo) == DuePolicy::Verdict::Missed) {
        step.skipped = next;
        const QDateTime limit = now.addMSecs(-DuePolicy::lateLimitMSecs);
        state.handledUpTo = limit.addMSecs(-1);
        next = rules.atOrAfter(std::max(from, limit));
    }
    if (next.isValid() && next <= now) {
        // Bounded: within the late limit, at most one a second.
        QDateTime latest = next;
        for (QDateTime later = rules.atOrAfter(after(next)); later.isValid() && later <= now; later = rules.atOrAfter(after(later))) {
            latest = later;
        }
        step.carryOut = latest;
        state.handledUpTo = latest;
        next = rules.atOrAfter(after(latest));
    }
    step.finished = !next.isValid();
    step.wakeAt = next;
    if (step.finished || !rules.warningAfter) {
        return step;
    }

    QDateTime warnFrom = std::max(state.warnedUpTo, now.addMSecs(-DuePolicy::lateLimitMSecs - 1));
    for (int i = 0;; ++i) {
        if (i == warningsPerLook) {
            step.wakeAt = now;
            break;
        }
        const Occurrence::Warning warning = rules.warningAfter(warnFrom);
        if (!warning.isValid()) {
            break;
        }
        if (warning.at > now) {
            step.wakeAt = earliest(step.wakeAt, warning.at);
            break;
        }
        warnFrom = warning.at;
        state.warnedUpTo = warning.at;
        if (state.handledUpTo.isValid() && warning.occurrence <= state.handledUpTo) {
            continue;
        }
        const DuePolicy::Verdict verdict = DuePolicy::judgeWarning(warning.at, warning.occurrence, now, state.lastWarned);
        if (verdict == DuePolicy::Verdict::OnTime || verdict == DuePolicy::Verdict::Late) {
            step.warn = warning.occurrence;
            state.lastWarned = warning.occurrence;
        }
    }
    return step;
}
} // namespace Agenda
