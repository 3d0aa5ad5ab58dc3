// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>
#include <QString>

// Whether a preset could ever act. The window refuses to apply, the command
// line to add, and the service to run a preset that could not, all by this
// one rule, so that none of them lets through what another refuses.
namespace PresetRules
{
struct NeverActs
{
    // One sentence for the user, translated in the context "PresetRules";
    // empty when the preset can act.
    QString reason;
    // The warning is at fault rather than when the preset acts (the window
    // says so beside the warning's field).
    bool byWarning = false;

    bool isEmpty() const { return reason.isEmpty(); }
};

// Why the preset, started at now, could never act:
// - Turn On with anything but a schedule;
// - a countdown shorter than a second, or with a warning at least as long
//   as the countdown;
// - a schedule whose end lies before its start, or none of whose
//   occurrences lies at or after now (pass the epoch to judge the settings
//   alone);
// - a daily window outside the day, or whose start is its end (as whole
//   seconds) other than 00:00 to 00:00, the whole day.
// A window's period is no reason: one out of range is brought into it
// (Occurrence::period). Other kinds of preset are never refused.
NeverActs whyNeverActs(const Preset &preset, const QDateTime &now);

// Why Turn On is not available where the service may not wake the machine,
// naming the command that grants the right (the service's availableActions
// gives it). The service tells it of a Turn On it does not run, the window
// shows it on the action and the command line refuses with it.
QString noWakeRight(const QString &grantCommand);
} // namespace PresetRules
