// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "result.h"

#include <QDateTime>
#include <QStringList>

#include <utility>

// The values written on the command line, read into what the preset JSON
// form carries. Pure: "now" is a parameter where it matters. A malformed text
// gives a failure whose message names the text and shows how to write it.
namespace Parse
{
// The action names of the command line, in the order the help lists them.
QStringList actionNames();
// An action name (shutdown, reboot, ..., logout) to its ActionType number.
Result<qint32> action(const QString &name);
// An ActionType number to its action name; empty for numbers without one.
QString actionName(qint32 type);

// The longest duration accepted: 365 days, in milliseconds.
constexpr qint64 maximumDuration = Q_INT64_C(365) * 24 * 60 * 60 * 1000;
// "90s", "10m", "1h30m", "2d", "1d12h": whole numbers, each followed by its
// unit, in the order d, h, m, s, each unit at most once. To milliseconds.
Result<qint64> duration(const QString &text);

// A moment: "23:00" is the first 23:00 at or after earliest (today, or
// tomorrow once it has passed), "2027-01-15 08:00" (or with a T between date
// and time) that date and time. Local time, a whole minute; a time of day that
// a daylight-saving change skips is moved past the gap.
Result<QDateTime> moment(const QString &text, const QDateTime &earliest);

// A repetition rule: never, daily, weekly, monthly, yearly, or "every N
// days|weeks|months" (N within what the window offers: 365 days, 52 weeks,
// 12 months). on is the --on list (empty when not given): weekdays ("mon,fri",
// "mon-fri") for weekly and weeks, days of the month ("1,15", "1-5") for
// monthly and months. Gives the repeat settings as the window writes them.
Result<RepeatSettings> repeat(const QString &rule, const QString &on);

// A daily window "HH:MM-HH:MM" to its start and end in milliseconds since
// midnight. The end may be 24:00 (the end of the day); a start after the end
// crosses midnight.
Result<std::pair<quint64, quint64>> window(const QString &text);
} // namespace Parse
