// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetsummary.h"

#include "preset.h"
#include "presettext.h"

QString PresetSummary::repetition(double start, const QJsonObject &repeatSettings) const
{
    const Preset preset(QJsonObject{
        {QStringLiteral("schedule"), QJsonObject{{QStringLiteral("start"), start}, {QStringLiteral("repeat_settings"), repeatSettings}}},
    });
    return PresetText::repetition(preset.schedule());
}

QString PresetSummary::window(double start, double end, double regularity) const
{
    const Preset preset(QJsonObject{
        {QStringLiteral("interval"), QJsonObject{{QStringLiteral("start"), start}, {QStringLiteral("end"), end}, {QStringLiteral("regularity"), regularity}}},
    });
    return PresetText::window(preset.interval());
}
