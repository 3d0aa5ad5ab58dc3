// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

// Presets an administrator sets for every user of a machine: drop-in files
// zel-scheduler/presets.d/*.json under the folders of $XDG_CONFIG_DIRS. A file
// holds one preset object, or an array of them, in the JSON form of the bus,
// with a required "preset_id" and "preset_running", and an optional object
// "managed": {"user_may_stop": bool, "user_may_postpone": bool} (both true
// when left out). Programs never write these files.
//
// Everything here is pure: the service, the window and "zel-scheduler-cli
// check" all judge a file by these functions, so that what the check lets
// through is what the service runs.
namespace ManagedPresets
{
// The folder under each configuration folder, and the files' suffix.
QString subfolder(); // "zel-scheduler/presets.d"
bool isDropInName(const QString &fileName);

// One problem of a file: the English text for the service's log, and the
// same sentence in the user's language for the command line.
struct Problem
{
    // 0 for the file as a whole, otherwise the preset's place in the file
    // (1 for the first).
    int preset = 0;
    QString english;
    QString translated;
};

struct File
{
    // The presets, in the order of the file, each marked managed with its
    // rights (Preset::managed()); empty when there is any problem: a file
    // with a problem is skipped whole.
    QVector<Preset> presets;
    QVector<Problem> problems;
};

// Reads a drop-in file's text. now decides whether a schedule could still
// act (PresetRules::whyNeverActs); pass the epoch to judge the settings alone,
// as the service does, so that a plan whose time has passed is not dropped.
File parse(const QByteArray &text, const QDateTime &now);

// The drop-in files to read, in the order to read them: dirs are the
// configuration folders, most important first, each with the names of the
// drop-in files in its presets.d. A name found in a more important folder
// hides the same name in the others (as the XDG rules have it); the files
// are then read in the order of their names.
QStringList filesInOrder(const QVector<std::pair<QString, QStringList>> &dirs);

// The presets of the files read in order: where several files give the same
// id, the last one read counts (a later file overrides an earlier one), in
// the place of the first. overridden receives the ids given again.
QVector<Preset> merge(const QVector<File> &files, QStringList *overridden = nullptr);

// The user's changes to a managed preset.
enum class Change { Update, Remove, Start, Pause, Stop, Cancel, Postpone };
// Whether the user may make change to a preset with these rights (nullopt:
// the user's own preset, where everything is allowed).
bool allows(const std::optional<ManagedRights> &rights, Change change);

// What the user changed of a managed preset (running, paused, a countdown's
// remaining time), to be kept apart from the user's own presets, together
// with the fingerprint of the administrator's version it belongs to.
QByteArray fingerprint(const Preset &managed);
QJsonObject userState(const Preset &preset, const QByteArray &fingerprint);
// The administrator's preset with the user's state applied; the preset
// itself when the state belongs to another version of it (the administrator
// changed it since) or cannot be read.
Preset withUserState(const Preset &managed, const QJsonObject &state);
} // namespace ManagedPresets
