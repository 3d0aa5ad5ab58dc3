// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetrules.h"

#include "occurrence.h"

#include <QCoreApplication>

namespace PresetRules
{
namespace
{
constexpr quint64 second = 1000;
constexpr quint64 day = 24 * 3600 * second;

NeverActs because(const char *text, bool byWarning = false)
{
    return NeverActs{QCoreApplication::translate("PresetRules", text), byWarning};
}

NeverActs countdown(const TimerSettings &timer)
{
    if (timer.timeout < second) {
        return because(QT_TRANSLATE_NOOP("PresetRules", "A countdown of zero never runs. Set how long it lasts."));
    }
    if (timer.notify > 0 && timer.notify >= timer.timeout) {
        return because(
            QT_TRANSLATE_NOOP("PresetRules", "A warning this long before the end of the countdown would come before it starts. Choose a shorter one."), true);
    }
    return NeverActs();
}

NeverActs schedule(const ScheduleSettings &schedule, const QDateTime &now)
{
    if (schedule.end / second < schedule.start / second) {
        return because(QT_TRANSLATE_NOOP("PresetRules", "The end is before the start, so the preset would never act."));
    }
    if (!Occurrence::firstAtOrAfter(schedule, now).isValid()) {
        return because(QT_TRANSLATE_NOOP("PresetRules", "This schedule would never act: none of its occurrences lies ahead."));
    }
    return NeverActs();
}

NeverActs window(const IntervalSettings &window)
{
    if (window.start >= day || window.end > day) {
        return because(QT_TRANSLATE_NOOP("PresetRules", "A daily window must start and end within the day, so this one would never act."));
    }
    // 00:00 to 00:00 is the whole day, like 00:00 to 24:00.
    if (window.start / second == window.end / second && window.start >= second) {
        return because(QT_TRANSLATE_NOOP(
            "PresetRules", "A window that starts when it ends is empty. To run past midnight, end it on the next day's time, as in 23:00 to 01:00."));
    }
    return NeverActs();
}
} // namespace

NeverActs whyNeverActs(const Preset &preset, const QDateTime &now)
{
    // The machine is woken at a wall-clock time; a countdown stands still
    // while it sleeps, and a daily window would wake it all day long.
    if (preset.actionType() == ActionType::TurnOn && preset.presetType() != PresetType::Scheduled) {
        return because(QT_TRANSLATE_NOOP("PresetRules", "Turn On needs a date and time: make it a schedule."));
    }
    switch (preset.presetType()) {
    case PresetType::Timer:
        return countdown(preset.timer());
    case PresetType::Scheduled:
        return schedule(preset.schedule(), now);
    case PresetType::Range:
        return window(preset.interval());
    default:
        return NeverActs();
    }
}

QString noWakeRight(const QString &grantCommand)
{
    return QCoreApplication::translate(
        "PresetRules", "The scheduler service may not wake this computer. Grant it the right with \"%1\" and restart the service.")
        .arg(grantCommand);
}
} // namespace PresetRules
