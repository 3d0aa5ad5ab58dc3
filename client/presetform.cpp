// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetform.h"

#include "occurrence.h"
#include "preset.h"
#include "presetrules.h"
#include "presettext.h"

#include <QDateTime>

#include <cmath>

namespace
{
// The JSON form's numbers come from QML as doubles; negative or broken ones
// count as zero, as the JSON reader takes them.
quint64 unsignedOf(double value)
{
    return std::isfinite(value) && value > 0 ? quint64(value) : 0;
}

Preset started(const QJsonObject &loaded, int action, qint32 kind)
{
    Preset preset(loaded);
    if (action >= 0) {
        preset.setActionType(action);
    }
    preset.setPresetType(kind);
    return preset;
}

QJsonObject finished(Preset preset, bool customName)
{
    if (!customName) {
        preset.setName(PresetText::defaultName(preset));
    }
    return preset.toJsonObject();
}
} // namespace

double PresetForm::noEnd() const
{
    return double(Occurrence::lastMSecs);
}

QJsonObject PresetForm::countdown(const QJsonObject &loaded, int action, double timeout, double notify, bool customName) const
{
    Preset preset = started(loaded, action, PresetType::Timer);
    preset.timer() = TimerSettings{unsignedOf(timeout), unsignedOf(notify), 0};
    return finished(std::move(preset), customName);
}

QJsonObject PresetForm::schedule(const QJsonObject &loaded,
    int action,
    double start,
    double end,
    double notify,
    int repeatType,
    int customType,
    int count,
    const QVariantList &selected,
    bool customName) const
{
    Preset preset = started(loaded, action, PresetType::Scheduled);
    ScheduleSettings &schedule = preset.schedule();
    schedule.start = unsignedOf(start);
    schedule.end = unsignedOf(end);
    schedule.notify = unsignedOf(notify);
    schedule.repeat.type = repeatType;
    schedule.repeat.customType = customType;
    schedule.repeat.count = count;
    schedule.repeat.selected.clear();
    for (const QVariant &number : selected) {
        schedule.repeat.selected.insert(number.toInt());
    }
    return finished(std::move(preset), customName);
}

QJsonObject PresetForm::window(const QJsonObject &loaded, int action, double start, double end, double regularity, bool customName) const
{
    Preset preset = started(loaded, action, PresetType::Range);
    preset.interval() = IntervalSettings{unsignedOf(start), unsignedOf(end), qint64(unsignedOf(regularity))};
    return finished(std::move(preset), customName);
}

QString PresetForm::defaultName(const QJsonObject &preset) const
{
    return PresetText::defaultName(Preset(preset));
}

QVariantMap PresetForm::neverActs(const QJsonObject &preset) const
{
    const PresetRules::NeverActs never = PresetRules::whyNeverActs(Preset(preset), QDateTime::currentDateTime());
    return {{QStringLiteral("reason"), never.reason}, {QStringLiteral("byWarning"), never.byWarning}};
}
