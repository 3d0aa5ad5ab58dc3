// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "occurrence.h"

#include "enumerations.h"

#include <algorithm>

namespace Occurrence
{
namespace
{
constexpr qint64 msecsPerDay = 24 * 3600 * 1000;
constexpr qint64 longestPeriod = 2 * msecsPerDay;

// The last date an occurrence may fall on, in any time zone.
const QDate &lastDate()
{
    static const QDate date = QDateTime::fromMSecsSinceEpoch(lastMSecs, Qt::UTC).date().addDays(1);
    return date;
}

// A stored moment as a local whole second; invalid after lastMSecs.
QDateTime localSecond(quint64 msecs)
{
    if (msecs > quint64(lastMSecs)) {
        return QDateTime();
    }
    return QDateTime::fromMSecsSinceEpoch(qint64(msecs - msecs % 1000));
}

qint64 monthsBetween(const QDate &from, const QDate &to)
{
    return (qint64(to.year()) - from.year()) * 12 + (to.month() - from.month());
}

// What the rule of a schedule needs, read once from its settings.
struct Rule
{
    enum Kind { Once, Days, Months, Years, Weekdays, MonthDays };
    Kind kind = Days;
    qint64 step = 1; // days, months or years; weeks or months for selections
    std::set<qint32> selected; // in range, for Weekdays and MonthDays
    QDate first; // the start's date

    explicit Rule(const ScheduleSettings &schedule, const QDate &startDate) : first(startDate)
    {
        const RepeatSettings &repeat = schedule.repeat;
        const qint64 count = std::max(1, repeat.count);
        switch (repeat.type) {
        case RepeatType::Never:
            kind = Once;
            return;
        case RepeatType::EveryWeek:
            step = 7;
            return;
        case RepeatType::EveryMonth:
            kind = Months;
            return;
        case RepeatType::EveryYear:
            kind = Years;
            return;
        case RepeatType::Custom:
            break;
        default:
            return;
        }
        switch (repeat.customType) {
        case RepeatCustomType::Days:
            step = count;
            return;
        case RepeatCustomType::Weeks:
            selected = inRange(repeat.selected, 1, 7);
            kind = selected.empty() ? Days : Weekdays;
            step = selected.empty() ? 7 * count : count;
            return;
        case RepeatCustomType::Monthes:
            selected = inRange(repeat.selected, 1, 31);
            kind = selected.empty() ? Months : MonthDays;
            step = count;
            return;
        default:
            return;
        }
    }

    static std::set<qint32> inRange(const std::set<qint32> &numbers, qint32 low, qint32 high)
    {
        return std::set<qint32>(numbers.lower_bound(low), numbers.upper_bound(high));
    }

    // date moved on by offset days or months, invalid past lastDate().
    static QDate plusDays(const QDate &date, qint64 offset) { return offset > date.daysTo(lastDate()) ? QDate() : date.addDays(offset); }
    static QDate plusMonths(const QDate &date, qint64 offset) { return offset > monthsBetween(date, lastDate()) ? QDate() : date.addMonths(int(offset)); }

    // The first date of the rule at or after from (which is not before first).
    QDate dateAtOrAfter(const QDate &from) const
    {
        switch (kind) {
        case Once:
            return from == first ? first : QDate();
        case Days: {
            const qint64 days = first.daysTo(from);
            return plusDays(first, (days + step - 1) / step * step);
        }
        case Months: {
            // Counted from the start, so that a clamped short month does not
            // shift the following ones.
            qint64 k = monthsBetween(first, from) / step * step;
            const QDate date = plusMonths(first, k);
            return date.isValid() && date >= from ? date : plusMonths(first, k + step);
        }
        case Years: {
            const int k = from.year() - first.year();
            const QDate date = first.addYears(k);
            return date >= from ? date : first.addYears(k + 1);
        }
        case Weekdays: {
            const QDate week0 = first.addDays(1 - first.dayOfWeek());
            const qint64 week = week0.daysTo(from) / 7;
            if (week % step == 0) {
                for (const qint32 day : selected) {
                    const QDate date = week0.addDays(7 * week + day - 1);
                    if (date >= from) {
                        return date;
                    }
                }
            }
            return plusDays(week0, 7 * ((week / step + 1) * step) + *selected.begin() - 1);
        }
        case MonthDays: {
            const QDate month0(first.year(), first.month(), 1);
            const qint64 month = monthsBetween(first, from);
            if (month % step == 0) {
                const QDate monthStart = month0.addMonths(int(month));
                for (const qint32 day : selected) {
                    const QDate date = monthStart.addDays(std::min(day, monthStart.daysInMonth()) - 1);
                    if (date >= from) {
                        return date;
                    }
                }
            }
            const QDate monthStart = plusMonths(month0, (month / step + 1) * step);
            return monthStart.isValid() ? monthStart.addDays(std::min(*selected.begin(), monthStart.daysInMonth()) - 1) : QDate();
        }
        }
        return QDate();
    }
};
} // namespace

QDateTime atLocalTime(const QDate &date, const QTime &time)
{
    // The offsets from UTC a day before and a day after tell whether the
    // clock is changed around this day.
    const int before = QDateTime(date.addDays(-1), time, Qt::LocalTime).offsetFromUtc();
    const int after = QDateTime(date.addDays(1), time, Qt::LocalTime).offsetFromUtc();
    if (before == after) {
        const QDateTime result(date, time, Qt::LocalTime);
        if (result.isValid()) {
            return result;
        }
    }
    // A time of day that comes twice (the clock is set back) is taken at its
    // first coming, always: the C library's choice depends on earlier calls,
    // and one occurrence must never be found at two moments.
    QDateTime first;
    for (int offset : {before, after}) {
        const QDateTime candidate = QDateTime(date, time, Qt::OffsetFromUTC, offset).toLocalTime();
        if (candidate.date() == date && candidate.time() == time && (!first.isValid() || candidate < first)) {
            first = candidate;
        }
    }
    if (first.isValid()) {
        return first;
    }
    // A time of day that the clock skips (set forward) is read with the
    // offset in force before the change, which moves it on by the gap
    // (02:30 becomes 03:30), as QDateTime::addDays() does.
    return QDateTime(date, time, Qt::OffsetFromUTC, before).toLocalTime();
}

QDateTime withoutMSecs(const QDateTime &dateTime)
{
    return dateTime.addMSecs(-dateTime.time().msec());
}

QDateTime firstAtOrAfter(const ScheduleSettings &schedule, const QDateTime &moment)
{
    const QDateTime start = localSecond(schedule.start);
    if (!start.isValid() || !moment.isValid()) {
        return QDateTime();
    }
    const QDateTime end = localSecond(std::min(schedule.end, quint64(lastMSecs)));
    const QDateTime lower = std::max(start, moment.toLocalTime());
    if (end < lower) {
        return QDateTime();
    }
    const Rule rule(schedule, start.date());
    // Each occurrence falls on its own date (a gap moves it later that day),
    // so the second date tried is always late enough; the third is a guard
    // for zones that skip a whole day.
    QDate from = std::max(lower.date(), start.date());
    for (int i = 0; i < 3; ++i) {
        const QDate date = rule.dateAtOrAfter(from);
        if (!date.isValid() || date > lastDate()) {
            return QDateTime();
        }
        const QDateTime occurrence = date == start.date() ? start : atLocalTime(date, start.time());
        if (occurrence >= lower) {
            return occurrence <= end ? occurrence : QDateTime();
        }
        from = date.addDays(1);
    }
    return QDateTime();
}

QDateTime firstAfter(const ScheduleSettings &schedule, const QDateTime &moment)
{
    return moment.isValid() ? firstAtOrAfter(schedule, moment.addMSecs(1)) : QDateTime();
}

namespace
{
// The lead in whole seconds, no longer than the span of moments handled.
qint64 leadOf(const ScheduleSettings &schedule)
{
    return qint64(std::min(schedule.notify, quint64(lastMSecs)) / 1000 * 1000);
}
} // namespace

Warning nextWarning(const ScheduleSettings &schedule, const QDateTime &moment)
{
    const qint64 lead = leadOf(schedule);
    if (lead == 0 || !moment.isValid() || moment.toMSecsSinceEpoch() > lastMSecs - lead) {
        return Warning();
    }
    // Warning moments are ordered like their occurrences.
    const QDateTime occurrence = firstAfter(schedule, moment.addMSecs(lead));
    if (!occurrence.isValid()) {
        return Warning();
    }
    return Warning{occurrence.addMSecs(-lead), occurrence};
}

QDateTime warningOnStart(const ScheduleSettings &schedule, const QDateTime &now)
{
    const qint64 lead = leadOf(schedule);
    const QDateTime occurrence = firstAfter(schedule, now);
    if (lead == 0 || !occurrence.isValid() || now.msecsTo(occurrence) > lead) {
        return QDateTime();
    }
    return occurrence;
}

qint64 period(const IntervalSettings &window)
{
    return std::clamp<qint64>(window.regularity, minimumPeriod, longestPeriod) / 1000 * 1000;
}

QDateTime firstAtOrAfter(const IntervalSettings &window, const QDateTime &moment)
{
    if (window.start >= quint64(msecsPerDay) || window.end > quint64(msecsPerDay) || !moment.isValid()) {
        return QDateTime();
    }
    const QTime open = QTime::fromMSecsSinceStartOfDay(int(window.start / 1000 * 1000));
    const bool untilMidnight = window.end == 0 || window.end == quint64(msecsPerDay);
    const QTime close = untilMidnight ? QTime(0, 0) : QTime::fromMSecsSinceStartOfDay(int(window.end / 1000 * 1000));
    const qint64 step = period(window);

    // The window opened yesterday may still be open; the one opening
    // tomorrow lies after moment in any case.
    for (qint64 day = -1; day <= 1; ++day) {
        const QDate date = moment.toLocalTime().date().addDays(day);
        const QDateTime opening = atLocalTime(date, open);
        QDateTime closing;
        if (untilMidnight) {
            closing = atLocalTime(date.addDays(1), close);
        } else if (open == close) {
            closing = opening;
        } else {
            closing = atLocalTime(open < close ? date : date.addDays(1), close);
        }
        closing = std::max(opening, closing);
        if (closing < moment) {
            continue;
        }
        if (moment <= opening) {
            return opening;
        }
        const qint64 steps = (opening.msecsTo(moment) + step - 1) / step;
        const QDateTime action = opening.addMSecs(steps * step);
        if (action <= closing) {
            return action;
        }
    }
    return QDateTime();
}

QDateTime firstAfter(const IntervalSettings &window, const QDateTime &moment)
{
    return moment.isValid() ? firstAtOrAfter(window, moment.addMSecs(1)) : QDateTime();
}

QDateTime nextAction(const Preset &preset, const QDateTime &now)
{
    switch (preset.presetType()) {
    case PresetType::Scheduled:
        return firstAtOrAfter(preset.schedule(), now);
    case PresetType::Range:
        return firstAtOrAfter(preset.interval(), now);
    default:
        return QDateTime();
    }
}
} // namespace Occurrence
