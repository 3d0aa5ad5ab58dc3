// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "localtime.h"

#include "occurrence.h"

qint64 LocalTime::compose(const QDate &date, int msOfDay)
{
    // The time field may step out of the day (23:59 up is 24:00) until it
    // wraps round; such a time belongs to the day next to it.
    constexpr int day = 24 * 60 * 60 * 1000;
    const int days = msOfDay >= 0 ? msOfDay / day : -((-msOfDay + day - 1) / day);
    return Occurrence::atLocalTime(date.addDays(days), QTime::fromMSecsSinceStartOfDay(msOfDay - days * day)).toMSecsSinceEpoch();
}

double LocalTime::compose(int year, int month, int day, double msOfDay) const
{
    return double(compose(QDate(year, month, day), int(msOfDay)));
}
