// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDateTime>

// What to do with an occurrence or a warning whose moment has come, whatever
// delayed the look at it: a stall of the process, a wall clock that was
// stepped either way, a machine that slept. Pure: the moments are
// parameters, compared as instants.
namespace DuePolicy
{
// How long after its moment an occurrence is still carried out (late, once).
constexpr qint64 lateLimitMSecs = 60 * 1000;

enum class Verdict {
    NotYet, // its moment has not come
    OnTime, // within the second of its moment: carry it out
    Late, // passed by at most lateLimitMSecs: carry it out now, once
    Missed, // passed by more: do not carry it out; tell the user that it was
            // skipped and go on with the next occurrence
    Handled, // at or before the last one handled: never again
};

// An occurrence due at due, judged at now. lastHandled is the last
// occurrence already carried out or skipped (invalid if none): remembering
// it, not the last moment seen, keeps a wall clock set back from carrying
// out an occurrence a second time.
Verdict judge(const QDateTime &due, const QDateTime &now, const QDateTime &lastHandled);

// The warning due at at for occurrence, judged at now. lastWarned is the
// last occurrence warned of (invalid if none). Missed means the warning is
// dropped without a word: its occurrence has come, or the warning is later
// than lateLimitMSecs. The occurrence itself keeps its moment.
Verdict judgeWarning(const QDateTime &at, const QDateTime &occurrence, const QDateTime &now, const QDateTime &lastWarned);
} // namespace DuePolicy
