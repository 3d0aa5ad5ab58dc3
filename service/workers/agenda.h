// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "occurrence.h"

#include <QDateTime>

#include <functional>
#include <vector>

// What a running schedule or daily window does at a moment it looks at the
// clock: whatever delayed the look (a stall, a wall clock set either way, a
// machine that slept), by DuePolicy. Pure: the rules, the state and now are
// parameters; the caller keeps the state from one look to the next.
//
// - Occurrences before the floor (the moment the plan was started) are
//   never due: nothing is made up for the time the plan did not run.
// - An occurrence at or before handledUpTo is never carried out again, so a
//   wall clock set back repeats nothing.
// - Occurrences passed by more than DuePolicy::lateLimitMSecs are skipped,
//   all at once (the first of them is named); of those passed by less, the
//   latest is carried out, once: several that came due together are one
//   action, not a burst.
// - A warning is given when its moment has come (late within the limit) and
//   its occurrence has not; warnings whose occurrence was already handled
//   are dropped.
// - wakeAt is the next moment anything is due: the plan sleeps until then.
// - From a warning the user may cancel its occurrence (that one only) or
//   postpone it (carried out later, once; later occurrences keep their
//   times). One postponed occurrence at a time; it counts like any other
//   (late, skipped), and the plan is not finished while it waits.
namespace Agenda
{
struct Rules
{
    // The first occurrence at or after a moment; invalid when none remains.
    std::function<QDateTime(const QDateTime &)> atOrAfter;
    // The first warning due strictly after a moment; none if empty.
    std::function<Occurrence::Warning(const QDateTime &)> warningAfter;
};

struct State
{
    QDateTime floor; // nothing before it is due
    QDateTime handledUpTo; // every occurrence at or before it is done with
    QDateTime warnedUpTo; // every warning due at or before it is done with
    QDateTime lastWarned; // the last occurrence warned of
    std::vector<QDateTime> cancelled; // occurrences not to carry out
    QDateTime postponed; // an occurrence moved to this moment
    QDateTime postponedWarning; // when to warn of it again (invalid: never)
};

struct Step
{
    QDateTime carryOut; // the occurrence to carry out now
    QDateTime skipped; // the first occurrence skipped now
    QDateTime warn; // the occurrence to warn of now
    bool finished = false; // no occurrence remains after those of this step
    QDateTime wakeAt; // when to look again; invalid when nothing remains
};

Step evaluate(const Rules &rules, State &state, const QDateTime &now);

// The next occurrence to be carried out: the postponed one or the first
// regular one not done with, whichever comes first; invalid when none remains.
QDateTime upcoming(const Rules &rules, const State &state);

// The user cancels occurrence (a regular one or the postponed one). False,
// changing nothing, when it is already carried out, skipped or cancelled.
bool cancel(State &state, const QDateTime &occurrence);
// The user postpones occurrence by msecs; warned of again msecs before its
// new moment when warnAgain. False, changing nothing, when it is already done
// with or another occurrence is postponed.
bool postpone(State &state, const QDateTime &occurrence, qint64 msecs, bool warnAgain);
} // namespace Agenda
