// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "localtime.h"

#include "occurrence.h"

qint64 LocalTime::compose(const QDate &date, int msOfDay)
{
    return Occurrence::atLocalTime(date, QTime::fromMSecsSinceStartOfDay(msOfDay)).toMSecsSinceEpoch();
}

double LocalTime::compose(int year, int month, int day, double msOfDay) const
{
    return double(compose(QDate(year, month, day), int(msOfDay)));
}
