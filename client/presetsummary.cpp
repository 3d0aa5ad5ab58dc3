// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetsummary.h"

#include "preset.h"
#include "presettext.h"

#include <QStringList>

#include <cmath>

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

QString PresetSummary::duration(double msecs) const
{
    const qint64 seconds = std::isfinite(msecs) && msecs > 0 ? qint64(std::min(msecs, 1e15) / 1000) : 0;
    const qint64 parts[] = {seconds / 86400, seconds / 3600 % 24, seconds / 60 % 60, seconds % 60};
    const QString units[] = {tr("%1 d", "days"), tr("%1 h", "hours"), tr("%1 min", "minutes"), tr("%1 s", "seconds")};
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        if (parts[i] > 0) {
            shown << units[i].arg(parts[i]);
        }
    }
    return shown.isEmpty() ? units[3].arg(0) : shown.join(QLatin1Char(' '));
}
