// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QJsonObject>
#include <QObject>
#include <QVariantList>
#include <QVariantMap>

// The editor's preset, made by Preset and its JSON writer from the preset as
// loaded and the editor's fields, with the rules the command line and the
// service go by: the default name (PresetText) and whether it could ever act
// (PresetRules). Available to QML as the singleton PresetForm of
// "zel.scheduler".
//
// Each of countdown(), schedule() and window() returns loaded as that kind of
// preset with the action (kept when negative) and that kind's settings; the
// settings of the other kinds go along untouched. A custom name stays, any
// other is made anew (PresetText::defaultName).
class PresetForm : public QObject
{
    Q_OBJECT
    // The end of a schedule that has none: the last moment the rules handle
    // (Occurrence::lastMSecs), as the command line stores it.
    Q_PROPERTY(double noEnd READ noEnd CONSTANT)
public:
    using QObject::QObject;

    double noEnd() const;

    // A countdown starts over from its new length: the remaining time is
    // left for the service to fill.
    Q_INVOKABLE QJsonObject countdown(const QJsonObject &loaded, int action, double timeout, double notify, bool customName) const;
    // The repetition as the editor holds it: RepeatType, RepeatCustomType, a
    // count and the selected weekdays or days of the month.
    Q_INVOKABLE QJsonObject schedule(const QJsonObject &loaded,
        int action,
        double start,
        double end,
        double notify,
        int repeatType,
        int customType,
        int count,
        const QVariantList &selected,
        bool customName) const;
    Q_INVOKABLE QJsonObject window(const QJsonObject &loaded, int action, double start, double end, double regularity, bool customName) const;

    Q_INVOKABLE QString defaultName(const QJsonObject &preset) const;
    // Why the preset, applied now, could never act: {"reason": the sentence,
    // empty when it can act, "byWarning": whether the warning is at fault}.
    Q_INVOKABLE QVariantMap neverActs(const QJsonObject &preset) const;
};
