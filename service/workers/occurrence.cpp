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
// The first occurrence of the form start + k * step (k >= 0, step in months)
// that is not earlier than now. Each one is computed from the start, so that
// a clamped short month does not shift the following ones.
QDateTime stepMonths(const QDateTime &now, const QDateTime &start, int step)
{
    const QDate startDate = start.date();
    const QDate today = now.date();
    const int months = (today.year() - startDate.year()) * 12 + (today.month() - startDate.month());
    // One step before the current month is the latest that can still lie ahead.
    int k = std::max(0, months / step - 1) * step;
    for (;; k += step) {
        const QDateTime occurrence = atLocalTime(startDate.addMonths(k), start.time());
        if (occurrence.isValid() && occurrence >= now) {
            return occurrence;
        }
        if (k > months + 2 * step) {
            return QDateTime();
        }
    }
}

QDateTime stepYears(const QDateTime &now, const QDateTime &start)
{
    const QDate startDate = start.date();
    const int years = now.date().year() - startDate.year();
    for (int k = std::max(0, years - 1); k <= years + 1; ++k) {
        const QDateTime occurrence = atLocalTime(startDate.addYears(k), start.time());
        if (occurrence.isValid() && occurrence >= now) {
            return occurrence;
        }
    }
    return QDateTime();
}

// Every step days from the start's date.
QDateTime stepDays(const QDateTime &now, const QDateTime &start, qint64 step)
{
    const QDate today = now.date();
    const qint64 days = start.date().daysTo(today);
    const qint64 ahead = (step - days % step) % step;
    if (ahead != 0) {
        return atLocalTime(today.addDays(ahead), start.time());
    }
    const QDateTime candidate = atLocalTime(today, start.time());
    return candidate < now ? atLocalTime(today.addDays(step), start.time()) : candidate;
}

std::set<qint32> inRange(const std::set<qint32> &selected, qint32 low, qint32 high)
{
    std::set<qint32> result;
    std::copy_if(selected.begin(), selected.end(), std::inserter(result, result.end()), [low, high](qint32 value) { return value >= low && value <= high; });
    return result;
}

// Milliseconds from now to the first day among the next days (today first)
// whose number, as dayNumber gives it, is selected.
template<typename DayNumber>
qint64 offsetToSelectedDay(const QDateTime &now, const QDateTime &start, const std::set<qint32> &selected, int days, DayNumber dayNumber)
{
    if (selected.empty()) {
        return -1;
    }
    const QDate today = now.date();
    for (int i = 0; i <= days; ++i) {
        const QDate date = today.addDays(i);
        if (selected.count(dayNumber(date)) == 0) {
            continue;
        }
        const QDateTime occurrence = atLocalTime(date, start.time());
        if (occurrence.isValid() && occurrence >= now) {
            return now.msecsTo(occurrence);
        }
    }
    return -1;
}

QDateTime afterOffset(const QDateTime &now, qint64 offset)
{
    return offset < 0 ? QDateTime() : now.addMSecs(offset);
}
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
    // and two ticks must never both match one occurrence.
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

qint64 weekdayOffset(const QDateTime &now, const QDateTime &start, const std::set<qint32> &selected)
{
    // A week ahead covers every weekday, today's passed time included.
    return offsetToSelectedDay(now, start, inRange(selected, 1, 7), 7, [](const QDate &date) { return date.dayOfWeek(); });
}

qint64 monthDayOffset(const QDateTime &now, const QDateTime &start, const std::set<qint32> &selected)
{
    // The longest wait for a day that some months lack is from the 31st of
    // January to the 31st of March: 59 days.
    return offsetToSelectedDay(now, start, inRange(selected, 1, 31), 62, [](const QDate &date) { return date.day(); });
}

QDateTime nextOccurrence(const QDateTime &now, const QDateTime &start, const RepeatSettings &repeat)
{
    if (repeat.type == RepeatType::Never) {
        return QDateTime();
    }
    const QDateTime candidate = atLocalTime(now.date(), start.time());
    const bool passed = candidate < now;
    const int count = std::max(1, repeat.count);

    switch (repeat.type) {
    case RepeatType::EveryDay:
        return passed ? atLocalTime(now.date().addDays(1), start.time()) : candidate;
    case RepeatType::EveryWeek:
        return stepDays(now, start, 7);
    case RepeatType::EveryMonth:
        return stepMonths(now, start, 1);
    case RepeatType::EveryYear:
        return stepYears(now, start);
    case RepeatType::Custom:
        switch (repeat.customType) {
        case RepeatCustomType::Days:
            return stepDays(now, start, count);
        case RepeatCustomType::Weeks:
            if (!inRange(repeat.selected, 1, 7).empty()) {
                return afterOffset(now, weekdayOffset(now, start, repeat.selected));
            }
            return stepDays(now, start, 7 * qint64(count));
        case RepeatCustomType::Monthes:
            if (!inRange(repeat.selected, 1, 31).empty()) {
                return afterOffset(now, monthDayOffset(now, start, repeat.selected));
            }
            return stepMonths(now, start, count);
        default:
            return candidate;
        }
    default:
        return candidate;
    }
}

Tick tick(const QDateTime &now, const QDateTime &start, const QDateTime &end, quint64 notify, const RepeatSettings &repeat)
{
    Tick result;
    const auto isLead = [notify, &now](const QDateTime &occurrence) { return notify != 0 && now.msecsTo(occurrence) == static_cast<qint64>(notify); };
    if (end < now) {
        result.stop = true;
        return result;
    }
    if (now < start) {
        result.notify = isLead(start);
        result.arm = true;
        return result;
    }
    if (now == start) {
        result.execute = true;
        result.arm = true;
        return result;
    }
    const QDateTime next = withoutMSecs(nextOccurrence(now, start, repeat));
    // No further occurrence within the schedule: the worker falls idle and
    // the preset stays marked running until it is started again.
    if (!next.isValid() || end < next) {
        return result;
    }
    result.notify = isLead(next);
    result.execute = now == next;
    result.arm = true;
    return result;
}
} // namespace Occurrence
