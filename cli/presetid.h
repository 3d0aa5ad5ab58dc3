// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "result.h"

#include <QVector>

// How the command line names presets. Pure.
namespace PresetId
{
// The first 8 hexadecimal digits of the id, as the list shows it.
QString shortId(const QUuid &id);

// The preset that given names, as an index into presets: a full id (in any
// form QUuid reads) names that preset; otherwise given must be the beginning
// of exactly one id (with or without the opening brace, in either case) or
// the exact name of exactly one preset. When it matches none or several, the
// failure says so and lists the candidates by full id and name.
Result<int> resolve(const QString &given, const QVector<Preset> &presets);

// text with every control character (line breaks, escape sequences) shown
// as a space, so that a name from another client cannot upset a terminal or
// a table.
QString printable(const QString &text);
} // namespace PresetId
