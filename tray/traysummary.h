// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <QUuid>

#include <vector>

// What the status icon shows of the presets that run. Pure: the presets,
// the current moment and the locale are parameters. Translated in the
// context "TraySummary"; the texts of when a preset acts are PresetText's,
// so they read as in the window and the command line.
//
// Each running preset (not paused) becomes an entry: its action, when it
// acts next and, for a name the user gave, that name: "Shut Down at 22:00 ·
// in 14 min", "Reboot tomorrow at 23:00 · in 13 h 40 min (Nightly)". The
// entries are ordered by the moment they act, soonest first; one with no
// further action comes last. The title tells the first entry and how many
// others run, since some trays show no tooltip: "Shut Down at 22:00 · in 14
// min; 2 more planned". The tooltip adds the others, a line each.
namespace TraySummary
{
// A preset as the tray knows it.
struct Planned
{
    Preset preset;
    // A running countdown's end as seen when its remaining time came.
    QDateTime countdownEnd;
    // Whether its name was given by the user (RowText::isCustomName).
    bool customName = false;
};

enum class Status {
    Passive, // nothing runs
    Active, // something runs
    NeedsAttention, // a running preset is inside its warning lead
};

struct Entry
{
    QUuid id;
    QString text;
    // Countdowns and schedules can be postponed; daily windows cannot.
    bool postponable = false;
    bool operator==(const Entry &other) const { return id == other.id && text == other.text && postponable == other.postponable; }
};

struct Summary
{
    Status status = Status::Passive;
    QString iconName; // the first entry's action
    QString title;
    QString toolTip; // the other entries, a line each
    std::vector<Entry> entries;
    // When a text changes next (a minute ahead at most); invalid while
    // nothing runs.
    QDateTime refreshAt;
};

Summary summarize(const std::vector<Planned> &planned, const QDateTime &now, const QLocale &locale = QLocale());
} // namespace TraySummary
