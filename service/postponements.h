// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDateTime>
#include <QUuid>

// Occurrences postponed from a warning. They have no place in a preset's JSON
// form and live in the running service only; a note of each is kept in a
// file of their own (not the settings file), so that a service that ends
// before one comes can tell, at its next start, that it was not carried out.
// Main thread only; a note that cannot be written is logged and the
// postponement holds all the same.
namespace Postponements
{
// Notes that the action of preset due at original is postponed to moment
// (one per preset).
void note(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment);
// Drops the note of preset: its postponed occurrence is done with.
void drop(const QUuid &preset);
// At start: tells of every note left (not carried out: the scheduler was
// restarted) and drops them; what they moved stays known to lostOriginal().
void tellLeftOver();
// The occurrence of preset that a note told by tellLeftOver() had moved
// away: it must not be carried out at its own time either. Invalid if none.
QDateTime lostOriginal(const QUuid &preset);
} // namespace Postponements
