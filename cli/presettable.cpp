// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presettable.h"

#include "occurrence.h"
#include "presetid.h"
#include "presettext.h"

#include <QCoreApplication>

namespace PresetTable
{
namespace
{
QString tr(const char *text, const char *comment = nullptr)
{
    return QCoreApplication::translate("PresetTable", text, comment);
}

QString kind(qint32 type)
{
    switch (type) {
    case PresetType::Timer:
        return tr("Timer");
    case PresetType::Scheduled:
        return tr("Schedule");
    case PresetType::Range:
        return tr("Interval");
    }
    return QString::number(type);
}

QString state(const Preset &preset)
{
    const QString state = preset.isRunning() ? tr("running") : preset.isPaused() ? tr("paused") : tr("stopped");
    // Set by the administrator: the user cannot change or remove it.
    return preset.managed() ? tr("%1, managed", "%1 is the state, e.g. running").arg(state) : state;
}

QString when(const Preset &preset, const QDateTime &now, const QLocale &locale)
{
    if (!preset.isRunning()) {
        return QStringLiteral("-");
    }
    if (preset.presetType() == PresetType::Timer) {
        const qint64 remaining = qint64(std::min(preset.timer().remainingTime, quint64(Occurrence::lastMSecs)));
        return PresetText::countdownEnd(now.addMSecs(remaining), now, locale);
    }
    return PresetText::nextAction(Occurrence::nextAction(preset, now), now, locale);
}
} // namespace

QStringList header()
{
    return {tr("ID"), tr("NAME"), tr("KIND"), tr("ACTION"), tr("STATE"), tr("WHEN")};
}

QStringList row(const Preset &preset, const QDateTime &now, const QLocale &locale)
{
    const QString action = ActionType::displayName(preset.actionType());
    return {
        PresetId::shortId(preset.id()),
        PresetId::printable(preset.name()),
        kind(preset.presetType()),
        action.isEmpty() ? QString::number(preset.actionType()) : action,
        state(preset),
        when(preset, now, locale),
    };
}

QStringList lines(const QVector<QStringList> &rows)
{
    QVector<int> widths;
    for (const QStringList &row : rows) {
        for (int column = 0; column < row.size(); ++column) {
            if (column >= widths.size()) {
                widths.append(0);
            }
            widths[column] = std::max(widths[column], int(row.at(column).size()));
        }
    }
    QStringList result;
    for (const QStringList &row : rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column) {
            line += column + 1 < row.size() ? row.at(column).leftJustified(widths.at(column) + 2) : row.at(column);
        }
        while (line.endsWith(QLatin1Char(' '))) {
            line.chop(1);
        }
        result.append(line);
    }
    return result;
}
} // namespace PresetTable
