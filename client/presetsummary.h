// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QJsonObject>
#include <QObject>

// The editor's one-line summaries of when a schedule or a daily window acts,
// with the texts and rules the service acts by (PresetText). The arguments
// are those of the preset's JSON form. Available to QML as the singleton
// PresetSummary of "zel.scheduler".
class PresetSummary : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // "weekly on Monday", "every 2 months on the 1st and 15th".
    Q_INVOKABLE QString repetition(double start, const QJsonObject &repeatSettings) const;
    // "every 5 minutes between 12:00 and 13:00".
    Q_INVOKABLE QString window(double start, double end, double regularity) const;
    // A length of time to the second, its parts that are not zero: "20 s",
    // "1 h 30 s", "2 d 3 h"; "0 s" for none or less than a second.
    Q_INVOKABLE QString duration(double msecs) const;
};
