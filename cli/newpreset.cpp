// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "newpreset.h"

#include "occurrence.h"
#include "presetrules.h"
#include "presettext.h"

#include <QCoreApplication>

namespace NewPreset
{
namespace
{
QString tr(const char *text, const char *comment = nullptr)
{
    return QCoreApplication::translate("NewPreset", text, comment);
}

Preset preset(const Request &request)
{
    Preset result;
    result.setActionType(request.action);
    result.setPresetType(request.kind);
    switch (request.kind) {
    case PresetType::Timer:
        // The service fills the remaining time from the timeout.
        result.timer().timeout = quint64(request.countdown);
        result.timer().notify = quint64(request.warning);
        break;
    case PresetType::Scheduled: {
        ScheduleSettings &schedule = result.schedule();
        schedule.start = quint64(request.start.toMSecsSinceEpoch());
        if (request.end.isValid()) {
            schedule.end = quint64(request.end.toMSecsSinceEpoch());
        } else {
            schedule.end = request.repeat.type == RepeatType::Never ? schedule.start : quint64(Occurrence::lastMSecs);
        }
        schedule.notify = quint64(request.warning);
        schedule.repeat = request.repeat;
        break;
    }
    case PresetType::Range:
        result.interval() = IntervalSettings{request.windowStart, request.windowEnd, request.period};
        break;
    }
    result.setName(request.name.isEmpty() ? PresetText::defaultName(result) : request.name);
    return result;
}
} // namespace

Result<QJsonObject> build(const Request &request, const QDateTime &now)
{
    const Preset made = preset(request);
    const PresetRules::NeverActs never = PresetRules::whyNeverActs(made, now);
    if (!never.isEmpty()) {
        return Result<QJsonObject>::failure(never.reason);
    }
    if (request.kind == PresetType::Range && (request.period < Occurrence::minimumPeriod || request.period > maximumPeriod)) {
        return Result<QJsonObject>::failure(tr("The period of a daily window must be between 1 second and 24 hours."));
    }
    QJsonObject object = made.toJsonObject();
    object.remove(QStringLiteral("preset_id"));
    return object;
}
} // namespace NewPreset
