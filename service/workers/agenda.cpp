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

namespace
{
// Takes occurrence off the cancelled ones; true when it was there.
bool isCancelled(State &state, const QDateTime &occurrence)
{
    const auto it = std::find(state.cancelled.begin(), state.cancelled.end(), occurrence);
    if (it == state.cancelled.end()) {
        return false;
    }
    state.cancelled.erase(it);
    return true;
}

bool isDoneWith(const State &state, const QDateTime &occurrence)
{
    return (state.handledUpTo.isValid() && occurrence <= state.handledUpTo) || occurrence < state.floor ||
        std::find(state.cancelled.begin(), state.cancelled.end(), occurrence) != state.cancelled.end();
}
} // namespace

Step evaluate(const Rules &rules, State &state, const QDateTime &now)
{
    Step step;
    const auto after = [](const QDateTime &moment) { return moment.addMSecs(1); };
    const QDateTime from = state.handledUpTo.isValid() ? std::max(state.floor, after(state.handledUpTo)) : state.floor;
    QDateTime next = rules.atOrAfter(from);
    if (next.isValid() && DuePolicy::judge(next, now, state.handledUpTo) == DuePolicy::Verdict::Missed) {
        if (!isCancelled(state, next)) {
            step.skipped = next;
        }
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
        if (!isCancelled(state, latest)) {
            step.carryOut = latest;
        }
        state.handledUpTo = latest;
        next = rules.atOrAfter(after(latest));
    }
    state.cancelled.erase(std::remove_if(state.cancelled.begin(),
                              state.cancelled.end(),
                              [&state](const QDateTime &moment) { return state.handledUpTo.isValid() && moment <= state.handledUpTo; }),
        state.cancelled.end());
    step.wakeAt = next;

    if (state.postponed.isValid()) {
        switch (DuePolicy::judge(state.postponed, now, QDateTime())) {
        case DuePolicy::Verdict::NotYet:
            step.wakeAt = earliest(step.wakeAt, state.postponed);
            break;
        case DuePolicy::Verdict::Missed:
            step.skipped = earliest(step.skipped, state.postponed);
            state.postponed = state.postponedWarning = QDateTime();
            break;
        default:
            step.carryOut = step.carryOut.isValid() ? std::max(step.carryOut, state.postponed) : state.postponed;
            state.postponed = state.postponedWarning = QDateTime();
            break;
        }
    }
    if (state.postponedWarning.isValid()) {
        const DuePolicy::Verdict verdict = DuePolicy::judgeWarning(state.postponedWarning, state.postponed, now, QDateTime());
        if (verdict == DuePolicy::Verdict::NotYet) {
            step.wakeAt = earliest(step.wakeAt, state.postponedWarning);
        } else {
            if (verdict == DuePolicy::Verdict::OnTime || verdict == DuePolicy::Verdict::Late) {
                step.warn = state.postponed;
            }
            state.postponedWarning = QDateTime();
        }
    }
    step.finished = !next.isValid() && !state.postponed.isValid();
    if (!next.isValid() || !rules.warningAfter) {
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
        if (isDoneWith(state, warning.occurrence)) {
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

QDateTime upcoming(const Rules &rules, const State &state)
{
    QDateTime next = rules.atOrAfter(state.handledUpTo.isValid() ? std::max(state.floor, state.handledUpTo.addMSecs(1)) : state.floor);
    // Bounded: each cancelled occurrence is passed over once.
    for (size_t i = 0; next.isValid() && i <= state.cancelled.size() && isDoneWith(state, next); ++i) {
        next = rules.atOrAfter(next.addMSecs(1));
    }
    return earliest(next, state.postponed);
}

bool cancel(State &state, const QDateTime &occurrence)
{
    if (state.postponed.isValid() && occurrence == state.postponed) {
        state.postponed = state.postponedWarning = QDateTime();
        return true;
    }
    if (isDoneWith(state, occurrence)) {
        return false;
    }
    state.cancelled.push_back(occurrence);
    return true;
}

bool postpone(State &state, const QDateTime &occurrence, qint64 msecs, bool warnAgain)
{
    if (state.postponed.isValid() && occurrence == state.postponed) {
        state.postponed = occurrence.addMSecs(msecs);
    } else if (state.postponed.isValid() || isDoneWith(state, occurrence)) {
        return false;
    } else {
        state.cancelled.push_back(occurrence);
        state.postponed = occurrence.addMSecs(msecs);
    }
    state.postponedWarning = warnAgain ? occurrence : QDateTime();
    return true;
}
} // namespace Agenda
