// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "result.h"

#include <QDateTime>
#include <QJsonObject>

// A preset made on the command line, in the JSON form the window sends for a
// new preset of the same kind (Preset's), without "preset_id". Pure: "now" is
// a parameter.
namespace NewPreset
{
struct Request
{
    qint32 action = ActionType::Shutdown;
    QString name; // empty: PresetText::defaultName()
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

// The longest period of a daily window asked for here; the shortest is the
// one the service acts by, Occurrence::minimumPeriod.
constexpr qint64 maximumPeriod = 24 * 60 * 60 * 1000;

// The preset object, or why it is refused: a preset that could never act
// (PresetRules, the rule the window and the service go by), or a daily
// window whose period lies outside Occurrence::minimumPeriod..maximumPeriod.
//
// A schedule without an end acts once when it never repeats (its end is its
// start) and without end otherwise (its end is the last moment the
// occurrence rules handle).
Result<QJsonObject> build(const Request &request, const QDateTime &now);
} // namespace NewPreset
