// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "result.h"

#include <QDateTime>
#include <QJsonObject>
#include <QLocale>

// A preset made on the command line, in the JSON form the window sends for a
// new preset of the same kind: every key of a default preset, with the name,
// the action, the kind and that kind's settings object as the window's editor
// writes them. Pure: "now" and the locale are parameters.
namespace NewPreset
{
struct Request
{
    qint32 action = ActionType::Shutdown;
    QString name; // empty: defaultName()
    qint32 kind = PresetType::Timer;
    qint64 warning = 0; // lead in ms; Timer and Scheduled

    qint64 countdown = 0; // Timer, ms

    QDateTime start; // Scheduled
    QDateTime end; // Scheduled; invalid when not given
    RepeatSettings repeat; // Scheduled

    quint64 windowStart = 0; // Range, ms since midnight
    quint64 windowEnd = 0; // Range, ms since midnight; 24 h is midnight
    qint64 period = 0; // Range, ms
};

// The shortest and longest period of a daily window (the window offers
// every minute to every 10 minutes).
constexpr qint64 minimumPeriod = 60 * 1000;
constexpr qint64 maximumPeriod = 24 * 60 * 60 * 1000;

// The name of a preset made without --name, formed like the window's: the
// action and when it acts ("Shut Down 0:10", "Reboot 15/01/2027 08:00",
// "Lock 12:00 - 13:00").
QString defaultName(const Request &request, const QLocale &locale = QLocale());

// The preset object without "preset_id", or the reason it would never act,
// as the window refuses it: a countdown of zero, a warning not shorter than
// the countdown, an end before the start, a schedule with no occurrence left
// after now, a daily window whose start equals its end or whose period is
// outside minimumPeriod..maximumPeriod.
//
// A schedule without an end acts once when it never repeats (its end is its
// start) and without end otherwise (its end is the last moment the
// occurrence rules handle).
Result<QJsonObject> build(const Request &request, const QDateTime &now, const QLocale &locale = QLocale());
} // namespace NewPreset
