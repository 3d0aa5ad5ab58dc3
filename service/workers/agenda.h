// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "occurrence.h"

#include <QDateTime>

#include <functional>

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
} // namespace Agenda
