// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

// What the window's list says about a preset: the title of its row, a line
// on what it is doing, and the sentence a screen reader reads for the row.
// Pure: the current moment, the countdown's end, the names of the actions
// and the locale are parameters. Translated in the context "RowText"; the
// texts of when a preset acts are those of PresetText, the service's rules.
//
// A name the user gave is shown as it is. A name that the window or the
// command line made up from the action and its timing was stored in the
// language of its day, so the row makes it up anew in the current one
// (PresetText::defaultName): "Shut Down 05.03.24 14:30 - 06.03.24 08:00",
// "Lock 12:00 - 13:00". A countdown's title ends in the time left,
// "Shut Down 00:09:59", "Tea 00:09:59".
namespace RowText
{
// Whether a stored name was given by the user rather than made up: it is
// not empty and is none of actionNames (every action's name in every
// language), neither alone nor followed by a space and a digit ("Shut Down
// 1:30", "Выключить 12:00 - 13:00") or by " Timer" (a countdown of no
// length, as older windows named it).
bool isCustomName(const QString &name, const QStringList &actionNames);

// Every action's name in every language, and untranslated: the actionNames
// that isCustomName compares with.
QStringList actionNames();

// When a running countdown ends, as its report at now says; the previous
// end is kept while the new one is within the jitter of the reports'
// arrival (a move by more is a real one: a change, a pause, a postponement).
// Invalid for a preset that is not a running countdown.
QDateTime countdownEnd(const Preset &preset, const QDateTime &previous, const QDateTime &now);

QString title(const Preset &preset, bool customName);

// What the preset is doing, as a line of its own: "Not applied yet" (a
// draft), "Ends at 14:35" (a running countdown ending at countdownEnd),
// "Next: Mon 22:00 · in 3 h 12 min" (a running schedule or window),
// "Paused", "Stopped".
QString status(const Preset &preset, bool stored, const QDateTime &countdownEnd, const QDateTime &now, const QLocale &locale = QLocale());

// The row as one sentence: "Shut Down, countdown, 10 minutes left,
// running", "Shut Down, countdown of 1 hour 30 minutes, stopped", "Reboot,
// schedule, next: Mon 22:00 · in 3 h 12 min, running", "Lock, daily
// window, every 5 minutes between 12:00 and 13:00, stopped".
QString sentence(const Preset &preset, bool customName, bool stored, const QDateTime &now, const QLocale &locale = QLocale());

// Whether the status changes with the clock alone: a running schedule or
// window, whose next action comes nearer.
bool followsClock(const Preset &preset);
} // namespace RowText
