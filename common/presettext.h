// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>
#include <QLocale>

// The texts that tell a user when a preset acts, for the window and the
// command line. Pure: the current moment and the locale are parameters.
// Translated in the context "PresetText" as whole sentences; names of days
// and months and the clock format come from the locale, lists are joined the
// locale's way. Clock times are shown without seconds (QLocale::ShortFormat).
//
// Dates are shown by the weekday alone within the coming week, by weekday,
// day and month within the year, and with the year beyond it (translatable
// QLocale date patterns).
namespace PresetText
{
// A clock time in the locale's short format, without seconds.
QString clockTime(const QTime &time, const QLocale &locale = QLocale());
// A remaining time as hours, minutes and seconds, two digits each and
// joined by colons; the hours go on past a day (25:00:00).
QString timeLeft(quint64 msecs);
// A date in the locale's short format and its clock time, without seconds.
QString dateAndClock(const QDateTime &moment, const QLocale &locale = QLocale());

// When a countdown ends: "at 14:35" today, "tomorrow at 14:35", otherwise
// "on Tue 17 Mar at 14:35". Empty for an invalid end.
QString countdownEnd(const QDateTime &end, const QDateTime &now, const QLocale &locale = QLocale());

// The name of a preset made without one, by the window and the command line
// alike: the action and when it acts, in the forms of the window's fields.
// "Shut Down 1:05" (a countdown of hours and minutes, with the seconds when
// it has any: "Reboot 0:01:30"), "Shut Down 05.03.24 14:30 - 06.03.24 08:00"
// (a schedule; without the end when it has none or ends where it starts),
// "Lock 12:00 - 13:00" (a daily window).
QString defaultName(const Preset &preset);

// How long until a moment msecs away, as nextAction() says it: "now",
// "in less than a minute", "in 12 min", "in 3 h 12 min", "in 2 d 5 h", "in
// 12 days", rounded down.
QString timeUntil(qint64 msecs);

// The next action of a running schedule or window: "next: Mon 22:00 · in
// 3 h 12 min". How long until then: "now" once it is due, "in less than a
// minute" under a minute, whole minutes under an hour ("in 12 min"), hours
// and minutes under a day ("in 3 h 12 min", "in 3 h"), days and hours under
// a week ("in 2 d 5 h"), whole days beyond ("in 12 days"); all rounded down.
// "no further action" for an invalid moment.
QString nextAction(const QDateTime &next, const QDateTime &now, const QLocale &locale = QLocale());

// The repetition of a schedule in one line, as the occurrence rules carry it
// out: "once", "daily", "every 3 days", "weekly on Monday", "every 2 weeks
// on Mon, Wed and Fri", "monthly on the 1st and 15th", "every 2 months on
// the 31st (the last day in shorter months)", "yearly on 5 March".
QString repetition(const ScheduleSettings &schedule, const QLocale &locale = QLocale());

// A daily window in one line: "every 5 minutes between 12:00 and 13:00",
// "every minute from 23:00 until 01:00 the next day", "every 5 minutes from
// 22:00 until midnight", "every 10 minutes, all day", "daily at 12:00" (start
// equal to end), "never" (a window outside the day).
QString window(const IntervalSettings &window, const QLocale &locale = QLocale());
} // namespace PresetText
