// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>

// When a scheduled preset fires next. Pure functions of the current time and
// the schedule, in local time and whole seconds, so that they can be checked
// against fixed dates.
//
// Every occurrence falls on the start's time of day. Rules:
// - Never: no occurrence after the start.
// - EveryDay: every day.
// - EveryWeek: on the start's weekday.
// - EveryMonth: on the start's day of the month; in a month that is too short,
//   on its last day. Always counted from the start, so 31 January is followed
//   by 28 February and then 31 March.
// - EveryYear: on the start's date; 29 February falls on 28 February in other
//   years.
// - Custom Days / Weeks without selected days: every count days / weeks from
//   the start's date. Custom Monthes without selected days: every count months
//   from the start, like EveryMonth. A count below 1 counts as 1.
// - Custom Weeks with selected weekdays (1 Monday to 7 Sunday), or Monthes with
//   selected days of the month (1 to 31; a day the month lacks is skipped):
//   on every selected day. The count is not used. Numbers out of range are
//   ignored; when none is left the rule is that of an empty selection.
// - Undefined and unknown types: today's time of day, passed or not.
// A time of day that a daylight-saving change skips on some day is moved on
// by the length of the gap (02:30 becomes 03:30).
namespace Occurrence
{
// The local date-time on date at time of day, moved past a daylight-saving gap.
QDateTime atLocalTime(const QDate &date, const QTime &time);
// dateTime moved back to its whole second.
QDateTime withoutMSecs(const QDateTime &dateTime);

// The first occurrence at or after now (both local, whole seconds; now later
// than start). Invalid when there is none (Never).
QDateTime nextOccurrence(const QDateTime &now, const QDateTime &start, const RepeatSettings &repeat);

// Milliseconds from now to the next selected weekday (1..7) or day of the
// month (1..31) at start's time of day, today's included while it has not
// passed. -1 when no selected number is in range.
qint64 weekdayOffset(const QDateTime &now, const QDateTime &start, const std::set<qint32> &selected);
qint64 monthDayOffset(const QDateTime &now, const QDateTime &start, const std::set<qint32> &selected);

// What one tick of a scheduled preset does at now (start and end of the
// schedule, all in whole seconds). An occurrence or a warning is due only in
// its very second; a lead that is no whole number of seconds never matches.
struct Tick
{
    bool stop = false; // the schedule has ended
    bool notify = false; // the next occurrence is exactly the lead away
    bool execute = false; // now is an occurrence
    bool arm = false; // tick again in the next second
};
Tick tick(const QDateTime &now, const QDateTime &start, const QDateTime &end, quint64 notify, const RepeatSettings &repeat);
} // namespace Occurrence
