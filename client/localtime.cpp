// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "localtime.h"

#include <QDateTime>
#include <QTime>

qint64 LocalTime::compose(const QDate &date, int msOfDay)
{
    const QTime time = QTime::fromMSecsSinceStartOfDay(msOfDay);
    const QDateTime local(date, time, Qt::LocalTime);
    if (local.isValid()) {
        return local.toMSecsSinceEpoch();
    }
    // Skipped by the change to summer time: read the wall-clock time with
    // the offset in force a day earlier.
    const qint64 wallClock = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    constexpr qint64 day = 24 * 60 * 60 * 1000;
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(wallClock - day, Qt::LocalTime).offsetFromUtc();
    return wallClock - qint64(offsetBefore) * 1000;
}

double LocalTime::compose(int year, int month, int day, double msOfDay) const
{
    return double(compose(QDate(year, month, day), int(msOfDay)));
}
