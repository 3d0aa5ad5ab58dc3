// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <QVector>

// The presets as the list command shows them, one row a preset. Pure: "now"
// and the locale are parameters.
namespace PresetTable
{
// The column titles: ID, NAME, KIND, ACTION, STATE, WHEN.
QStringList header();

// The row of one preset: short id, name (control characters shown as
// spaces), kind and action in the window's words, state (running, paused,
// stopped) and when it acts next, in the words the window uses: the end of a
// running countdown ("at 14:35"), the next action of a running schedule or
// window ("next: Mon 22:00 · in 3 h 12 min"), "-" for a preset that is not
// running.
QStringList row(const Preset &preset, const QDateTime &now, const QLocale &locale = QLocale());

// The rows as lines of aligned columns, two spaces apart, without trailing
// spaces.
QStringList lines(const QVector<QStringList> &rows);
} // namespace PresetTable
