// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "newpreset.h"

#include "occurrence.h"
#include "parse.h"
#include "presettext.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace NewPreset
{
namespace
{
QString tr(const char *text, const char *comment = nullptr)
{
    return QCoreApplication::translate("NewPreset", text, comment);
}

// A countdown as the window's title shows it, hours and minutes, with the
// seconds when there are any: 0:10, 1:30, 0:01:30.
QString countdownTitle(qint64 msecs)
{
    const qint64 seconds = msecs / 1000;
    QString result = QStringLiteral("%1:%2").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'));
    if (seconds % 60 != 0) {
        result += QStringLiteral(":%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    }
    return result;
}

QString clockOf(quint64 msecsSinceMidnight, const QLocale &locale)
{
    return PresetText::clockTime(QTime::fromMSecsSinceStartOfDay(int(msecsSinceMidnight % (24 * 60 * 60 * 1000))), locale);
}

ScheduleSettings schedule(const Request &request)
{
    ScheduleSettings result;
    result.start = quint64(request.start.toMSecsSinceEpoch());
    if (request.end.isValid()) {
        result.end = quint64(request.end.toMSecsSinceEpoch());
    } else {
        result.end = request.repeat.type == RepeatType::Never ? result.start : quint64(Occurrence::lastMSecs);
    }
    result.notify = quint64(request.warning);
    result.repeat = request.repeat;
    return result;
}
} // namespace

QString defaultName(const Request &request, const QLocale &locale)
{
    QString when;
    switch (request.kind) {
    case PresetType::Timer:
        when = countdownTitle(request.countdown);
        break;
    case PresetType::Scheduled:
        when = PresetText::dateAndClock(request.start, locale);
        break;
    case PresetType::Range:
        when = tr("%1 - %2", "a daily window, from and until").arg(clockOf(request.windowStart, locale), clockOf(request.windowEnd, locale));
        break;
    }
    return tr("%1 %2", "default name of a preset: %1 the action, %2 when it acts").arg(ActionType::displayName(request.action), when);
}

Result<QJsonObject> build(const Request &request, const QDateTime &now, const QLocale &locale)
{
    QJsonObject object = Preset(QJsonObject()).toJsonObject();
    object.remove(QStringLiteral("preset_id"));
    object[QStringLiteral("preset_name")] = request.name.isEmpty() ? defaultName(request, locale) : request.name;
    object[QStringLiteral("action_type")] = request.action;
    object[QStringLiteral("preset_type")] = request.kind;

    switch (request.kind) {
    case PresetType::Timer:
        if (request.countdown < 1000) {
            return Result<QJsonObject>::failure(tr("A countdown of zero cannot run: give it at least one second."));
        }
        if (request.warning >= request.countdown) {
            return Result<QJsonObject>::failure(
                tr("The warning must come before the countdown ends: give a lead shorter than %1.").arg(Parse::durationText(request.countdown)));
        }
        // The service fills the remaining time from the timeout.
        object[QStringLiteral("timer")] = QJsonObject{
            {QStringLiteral("timeout"), double(request.countdown)},
            {QStringLiteral("notify"), double(request.warning)},
        };
        break;
    case PresetType::Scheduled: {
        if (request.end.isValid() && request.end < request.start) {
            return Result<QJsonObject>::failure(tr("The end (%1) lies before the start (%2).")
                                                    .arg(PresetText::dateAndClock(request.end, locale), PresetText::dateAndClock(request.start, locale)));
        }
        const ScheduleSettings settings = schedule(request);
        if (!Occurrence::firstAtOrAfter(settings, now).isValid()) {
            return Result<QJsonObject>::failure(tr("This schedule would never act: none of its occurrences lies ahead."));
        }
        QJsonArray selected;
        for (qint32 value : settings.repeat.selected) {
            selected.append(value);
        }
        object[QStringLiteral("schedule")] = QJsonObject{
            {QStringLiteral("start"), double(settings.start)},
            {QStringLiteral("end"), double(settings.end)},
            {QStringLiteral("repeat_settings"),
                QJsonObject{
                    {QStringLiteral("repeat_settings_type"), settings.repeat.type},
                    {QStringLiteral("repeat_settings_custom_type"), settings.repeat.customType},
                    {QStringLiteral("repeat_settings_count"), settings.repeat.count},
                    {QStringLiteral("repeat_settings_selected"), selected},
                }},
            {QStringLiteral("notify"), double(settings.notify)},
        };
        break;
    }
    case PresetType::Range:
        if (request.windowStart == request.windowEnd) {
            return Result<QJsonObject>::failure(tr("A daily window needs an end other than its start; 00:00-24:00 is the whole day."));
        }
        if (request.period < minimumPeriod || request.period > maximumPeriod) {
            return Result<QJsonObject>::failure(tr("The period of a daily window must be between 1 minute and 24 hours."));
        }
        object[QStringLiteral("interval")] = QJsonObject{
            {QStringLiteral("start"), double(request.windowStart)},
            {QStringLiteral("end"), double(request.windowEnd)},
            {QStringLiteral("regularity"), qint64(request.period)},
        };
        break;
    }
    return object;
}
} // namespace NewPreset
