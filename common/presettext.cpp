// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presettext.h"

#include "occurrence.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace PresetText
{
namespace
{
constexpr qint64 minute = 60 * 1000;
constexpr qint64 hour = 60 * minute;
constexpr qint64 day = 24 * hour;

// The English source texts read right without a catalogue: a count that
// may be 1 comes with an abbreviated unit or a sentence of its own.
QString tr(const char *text, const char *comment = nullptr, int n = -1)
{
    return QCoreApplication::translate("PresetText", text, comment, n);
}

// Ordinal days of the month, each translated as a whole: no suffix is glued
// to a number.
const struct
{
    const char *source;
    const char *comment;
} ordinals[] = {
    QT_TRANSLATE_NOOP3("PresetText", "1st", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "2nd", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "3rd", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "4th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "5th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "6th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "7th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "8th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "9th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "10th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "11th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "12th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "13th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "14th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "15th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "16th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "17th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "18th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "19th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "20th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "21st", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "22nd", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "23rd", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "24th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "25th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "26th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "27th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "28th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "29th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "30th", "day of the month"),
    QT_TRANSLATE_NOOP3("PresetText", "31st", "day of the month"),
};

QString clock(const QDateTime &moment, const QLocale &locale)
{
    return clockTime(moment.time(), locale);
}

// The day of moment as seen from now: the weekday within the coming week.
QString dayOf(const QDateTime &moment, const QDateTime &now, bool weekdayAlone, const QLocale &locale)
{
    const qint64 days = now.date().daysTo(moment.date());
    if (weekdayAlone && days >= 0 && days < 7) {
        return locale.toString(moment.date(), tr("ddd", "date format: the weekday of a day in the coming week"));
    }
    if (moment.date().year() == now.date().year()) {
        return locale.toString(moment.date(), tr("ddd d MMM", "date format: a day in this year"));
    }
    return locale.toString(moment.date(), tr("ddd d MMM yyyy", "date format: a day in another year"));
}

} // namespace

QString timeUntil(qint64 msecs)
{
    if (msecs <= 0) {
        return tr("now", "the next action is due");
    }
    if (msecs < minute) {
        return tr("in less than a minute");
    }
    if (msecs < hour) {
        return tr("in %n min", nullptr, int(msecs / minute));
    }
    if (msecs < day) {
        const int minutes = int(msecs % hour / minute);
        const QString hours = tr("%n h", "hours", int(msecs / hour));
        return minutes == 0 ? tr("in %1", "hours").arg(hours) : tr("in %1 %2", "hours and minutes").arg(hours, tr("%n min", nullptr, minutes));
    }
    const qint64 days = msecs / day;
    if (days < 7) {
        const int hours = int(msecs % day / hour);
        const QString dayText = tr("%n d", "days", int(days));
        return hours == 0 ? tr("in %1", "days").arg(dayText) : tr("in %1 %2", "days and hours").arg(dayText, tr("%n h", "hours", hours));
    }
    return tr("in %n days", nullptr, int(std::min<qint64>(days, std::numeric_limits<int>::max())));
}

namespace
{
QString weekly(int count, const std::set<qint32> &weekdays, const QLocale &locale)
{
    QStringList names;
    const auto format = weekdays.size() == 1 ? QLocale::LongFormat : QLocale::ShortFormat;
    for (const qint32 weekday : weekdays) {
        names << locale.dayName(weekday, format);
    }
    const QString list = locale.createSeparatedList(names);
    return count == 1 ? tr("weekly on %1", "%1 weekdays").arg(list) : tr("every %n weeks on %1", "%1 weekdays", count).arg(list);
}

QString monthly(int count, const std::set<qint32> &days, const QLocale &locale)
{
    QStringList names;
    for (const qint32 monthDay : days) {
        names << tr(ordinals[monthDay - 1].source, ordinals[monthDay - 1].comment);
    }
    const QString list = locale.createSeparatedList(names);
    if (*days.rbegin() > 28) {
        return count == 1 ? tr("monthly on the %1 (the last day in shorter months)", "%1 days of the month").arg(list)
                          : tr("every %n months on the %1 (the last day in shorter months)", "%1 days of the month", count).arg(list);
    }
    return count == 1 ? tr("monthly on the %1", "%1 days of the month").arg(list) : tr("every %n months on the %1", "%1 days of the month", count).arg(list);
}

QString yearly(const QDate &date, const QLocale &locale)
{
    if (date.month() == 2 && date.day() == 29) {
        return tr("yearly on 29 February (28 February in other years)");
    }
    return tr("yearly on %1", "%1 day and month").arg(locale.toString(date, tr("d MMMM", "date format: day and month of a yearly repetition")));
}

std::set<qint32> inRange(const std::set<qint32> &numbers, qint32 low, qint32 high)
{
    return std::set<qint32>(numbers.lower_bound(low), numbers.upper_bound(high));
}

QString clock(quint64 msecsSinceMidnight, const QLocale &locale)
{
    return clockTime(QTime::fromMSecsSinceStartOfDay(int(msecsSinceMidnight)), locale);
}

QString twoDigits(qint64 number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString countdownLength(quint64 msecs)
{
    const qint64 seconds = qint64(std::min(msecs, quint64(Occurrence::lastMSecs)) / 1000);
    QString result = QStringLiteral("%1:%2").arg(seconds / 3600).arg(twoDigits(seconds / 60 % 60));
    if (seconds % 60 != 0) {
        result += QLatin1Char(':') + twoDigits(seconds % 60);
    }
    return result;
}

// A moment as the schedule editor's fields show it.
QString fieldsMoment(quint64 msecsSinceEpoch)
{
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(qint64(std::min(msecsSinceEpoch, quint64(Occurrence::lastMSecs))));
    return moment.toString(QStringLiteral("dd.MM.yy HH:mm"));
}

// A time of day as the window editor's fields show it; 24:00 is 00:00.
QString fieldsClock(quint64 msecsSinceMidnight)
{
    const qint64 minutes = qint64(msecsSinceMidnight / minute);
    return twoDigits(minutes / 60 % 24) + QLatin1Char(':') + twoDigits(minutes % 60);
}

QString when(const Preset &preset)
{
    switch (preset.presetType()) {
    case PresetType::Timer:
        return countdownLength(preset.timer().timeout);
    case PresetType::Scheduled: {
        const ScheduleSettings &schedule = preset.schedule();
        const quint64 start = schedule.start / 1000;
        const quint64 end = schedule.end / 1000;
        // The command line stores "no end" as the end of what is handled,
        // and "once" as an end at the start.
        if (end == start || end >= quint64(Occurrence::lastMSecs) / 1000) {
            return fieldsMoment(schedule.start);
        }
        return tr("%1 - %2", "from and until").arg(fieldsMoment(schedule.start), fieldsMoment(schedule.end));
    }
    case PresetType::Range:
        return tr("%1 - %2", "from and until").arg(fieldsClock(preset.interval().start), fieldsClock(preset.interval().end));
    }
    return QString();
}

QString howOften(qint64 period)
{
    if (period % hour == 0) {
        return period == hour ? tr("every hour") : tr("every %n hours", nullptr, int(period / hour));
    }
    if (period % minute == 0) {
        return period == minute ? tr("every minute") : tr("every %n minutes", nullptr, int(period / minute));
    }
    return period == 1000 ? tr("every second") : tr("every %n seconds", nullptr, int(period / 1000));
}
} // namespace

QString clockTime(const QTime &time, const QLocale &locale)
{
    // The short format of some locales (C, the usual one of servers and
    // containers) shows seconds, which no time here has.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(QStringLiteral("[:.]?s+")));
    return locale.toString(time, format);
}

QString timeLeft(quint64 msecs)
{
    const quint64 seconds = msecs / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString dateAndClock(const QDateTime &moment, const QLocale &locale)
{
    return QStringLiteral("%1 %2").arg(locale.toString(moment.date(), QLocale::ShortFormat), clockTime(moment.time(), locale));
}

QString countdownEnd(const QDateTime &end, const QDateTime &now, const QLocale &locale)
{
    if (!end.isValid()) {
        return QString();
    }
    const QDateTime localEnd = end.toLocalTime();
    const QDateTime localNow = now.toLocalTime();
    const qint64 days = localNow.date().daysTo(localEnd.date());
    if (days == 0) {
        return tr("at %1", "%1 clock time of today").arg(clock(localEnd, locale));
    }
    if (days == 1) {
        return tr("tomorrow at %1", "%1 clock time").arg(clock(localEnd, locale));
    }
    return tr("on %1 at %2", "%1 date, %2 clock time").arg(dayOf(localEnd, localNow, false, locale), clock(localEnd, locale));
}

QString defaultName(const Preset &preset)
{
    const QString action = ActionType::displayName(preset.actionType());
    const QString timing = when(preset);
    return timing.isEmpty() ? action : tr("%1 %2", "default name of a preset: %1 the action, %2 when it acts").arg(action, timing);
}

QString nextAction(const QDateTime &next, const QDateTime &now, const QLocale &locale)
{
    if (!next.isValid()) {
        return tr("no further action");
    }
    const QDateTime localNext = next.toLocalTime();
    return tr("next: %1 %2 · %3", "%1 day, %2 clock time, %3 how long until then")
        .arg(dayOf(localNext, now.toLocalTime(), true, locale), clock(localNext, locale), timeUntil(now.msecsTo(next)));
}

QString repetition(const ScheduleSettings &schedule, const QLocale &locale)
{
    const RepeatSettings &repeat = schedule.repeat;
    const QDate date = QDateTime::fromMSecsSinceEpoch(qint64(std::min(schedule.start, quint64(Occurrence::lastMSecs)))).date();
    const int count = std::max(1, repeat.count);
    switch (repeat.type) {
    case RepeatType::Never:
        return tr("once");
    case RepeatType::EveryWeek:
        return weekly(1, {date.dayOfWeek()}, locale);
    case RepeatType::EveryMonth:
        return monthly(1, {date.day()}, locale);
    case RepeatType::EveryYear:
        return yearly(date, locale);
    case RepeatType::Custom:
        break;
    default:
        return tr("daily");
    }
    switch (repeat.customType) {
    case RepeatCustomType::Days:
        return count == 1 ? tr("daily") : tr("every %n days", nullptr, count);
    case RepeatCustomType::Weeks: {
        const std::set<qint32> weekdays = inRange(repeat.selected, 1, 7);
        return weekly(count, weekdays.empty() ? std::set<qint32>{date.dayOfWeek()} : weekdays, locale);
    }
    case RepeatCustomType::Monthes: {
        const std::set<qint32> days = inRange(repeat.selected, 1, 31);
        return monthly(count, days.empty() ? std::set<qint32>{date.day()} : days, locale);
    }
    default:
        return tr("daily");
    }
}

QString window(const IntervalSettings &window, const QLocale &locale)
{
    constexpr quint64 dayEnd = day;
    if (window.start >= dayEnd || window.end > dayEnd) {
        return tr("never", "a daily window outside the day");
    }
    const quint64 start = window.start / 1000 * 1000;
    const quint64 end = window.end / 1000 * 1000;
    const bool untilMidnight = end == 0 || end == dayEnd;
    const QString often = howOften(Occurrence::period(window));
    if (untilMidnight && start == 0) {
        return tr("%1, all day", "%1 how often").arg(often);
    }
    if (untilMidnight) {
        return tr("%1 from %2 until midnight", "%1 how often, %2 clock time").arg(often, clock(start, locale));
    }
    if (start == end) {
        return tr("daily at %1", "%1 clock time").arg(clock(start, locale));
    }
    if (start < end) {
        return tr("%1 between %2 and %3", "%1 how often, %2 and %3 clock times").arg(often, clock(start, locale), clock(end, locale));
    }
    return tr("%1 from %2 until %3 the next day", "%1 how often, %2 and %3 clock times").arg(often, clock(start, locale), clock(end, locale));
}
} // namespace PresetText
