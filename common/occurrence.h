// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>

// When a preset acts. One implementation for the service, which carries the
// actions out, and for the window and the command line, which show them, so
// that the two never disagree.
//
// Pure functions: every input, the current moment included, is a parameter.
// Moments are local QDateTimes; every moment these functions return is a
// whole second. A moment given to them is compared as it is (milliseconds
// included). An invalid moment given yields an invalid result. Any value the
// JSON form can carry is accepted: nothing overflows and every search is
// bounded; a result that would lie after the last moment handled (lastMSecs,
// the end of 9999) is invalid.
//
// Scheduled presets (ScheduleSettings). The start is the earliest allowed
// moment and the end the latest; both are taken as whole seconds, an end
// after lastMSecs as no end at all, a start after it as no occurrence.
// Every occurrence falls on the start's time of day. Rules:
// - Never: the start, once.
// - EveryDay: every day from the start's date.
// - EveryWeek: every 7 days from the start's date (on its weekday).
// - EveryMonth: on the start's day of the month, every month from the start;
//   in a month that lacks that day, on its last day. Always counted from the
//   start, so 31 January is followed by 28 February and then 31 March.
// - EveryYear: on the start's date; 29 February falls on 28 February in
//   other years.
// - Custom Days: every count days from the start's date.
// - Custom Weeks without selected weekdays: every count weeks (7 × count
//   days) from the start's date.
// - Custom Weeks with selected weekdays (1 Monday to 7 Sunday): on the
//   selected weekdays of every count-th week, weeks running Monday to Sunday
//   and the week that holds the start's date being week 0.
// - Custom Monthes without selected days: every count months from the start,
//   like EveryMonth.
// - Custom Monthes with selected days (1 to 31): on the selected days of
//   every count-th month, the start's month being month 0. A selected day that
//   a month lacks falls on that month's last day, once even when several
//   selected days fall there.
// - With selected days, the start acts only when its day is selected; the
//   first occurrence is the first selected day at or after the start.
// - A count below 1 counts as 1. Selected numbers out of range are ignored;
//   when none is left the rule is that of an empty selection.
// - Undefined repeat types and unknown types or units: every day.
// The occurrence on the start's date is the start itself. On other days a
// time of day that a daylight-saving change skips is moved on by the length
// of the gap (02:30 becomes 03:30), and one that comes twice (the clock is
// set back) is taken at its first coming, so that it acts once.
//
// Warnings. With a lead L (the schedule's notify, taken as whole seconds; no
// warning below one second) the warning of every occurrence O is due at
// O - L, even before the start. Warning moments are ordered like their
// occurrences; with a lead longer than the period several occurrences are in
// their lead at once. A schedule started inside the lead of its next
// occurrence warns for that occurrence at once (warningOnStart); the
// warnings of later occurrences whose moments have already passed are not
// given.
//
// Daily windows (IntervalSettings: start and end in milliseconds since
// midnight, regularity in milliseconds). A window acts at its start and then
// every period after it, up to and including its end:
// - start before end: within the day (12:00-13:00 every 5 minutes: 12:00,
//   12:05, ..., 13:00);
// - start after end: across midnight, from the start until the end on the
//   next day (23:00-01:00);
// - an end of 00:00 (or 24:00) is the midnight that ends the day
//   (22:00-00:00 acts until 24:00, 00:00-00:00 all day); an action at 24:00 is
//   the next day's 00:00 and happens once;
// - start equal to end (other than 00:00): once a day at that time (the
//   editor refuses such a window);
// - a start from 24:00 on or an end after 24:00: never.
// Start and end are taken as whole seconds. The period is the regularity
// taken as whole seconds, at least minimumPeriod, at most two days. Times of
// the window are local wall-clock times, read like a schedule's time of day
// (moved past a gap, the first coming of a repeated hour), while the period
// is real time counted from the window's opening: on the day the clock is set
// forward a window that spans the change is an hour shorter, on the day it is
// set back an hour longer, and it acts every period throughout. When the
// opening, moved past a gap, comes after the end, the window acts once that
// day, at its opening.
namespace Occurrence
{
// The last moment handled: 9999-12-31 23:59:59 UTC, in milliseconds.
constexpr qint64 lastMSecs = Q_INT64_C(253402300799000);
// The shortest period of a daily window.
constexpr qint64 minimumPeriod = 1000;

// The local date-time on date at time of day, moved past a daylight-saving
// gap, the first coming of a repeated time.
QDateTime atLocalTime(const QDate &date, const QTime &time);
// dateTime moved back to its whole second.
QDateTime withoutMSecs(const QDateTime &dateTime);

// The first occurrence at or after moment; invalid when none remains before
// the end.
QDateTime firstAtOrAfter(const ScheduleSettings &schedule, const QDateTime &moment);
// The first occurrence strictly after moment; invalid when none remains.
QDateTime firstAfter(const ScheduleSettings &schedule, const QDateTime &moment);

struct Warning
{
    QDateTime at; // when the warning is due
    QDateTime occurrence; // the occurrence it announces
    bool isValid() const { return at.isValid(); }
};
// The first warning due strictly after moment; invalid without a lead or
// when no occurrence with a later warning remains.
Warning nextWarning(const ScheduleSettings &schedule, const QDateTime &moment);
// The occurrence to warn of at once when the schedule starts at now: the
// first occurrence after now, when now lies inside its lead. Invalid
// otherwise.
QDateTime warningOnStart(const ScheduleSettings &schedule, const QDateTime &now);

// The period of a daily window in milliseconds, as described above.
qint64 period(const IntervalSettings &window);
// The first action of a daily window at or after moment; invalid for a window
// that never acts.
QDateTime firstAtOrAfter(const IntervalSettings &window, const QDateTime &moment);
// The first action strictly after moment. A window started at now acts first
// at firstAfter(window, now), never at the moment of starting.
QDateTime firstAfter(const IntervalSettings &window, const QDateTime &moment);

// The first action at or after now of a Scheduled or Range preset by its
// kind; invalid for other kinds.
QDateTime nextAction(const Preset &preset, const QDateTime &now);
} // namespace Occurrence
