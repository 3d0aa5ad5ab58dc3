// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDate>
#include <QObject>

// Turns a day and a time of day, as the user reads them on the clock, into
// the instant they name in the local time zone, as the service reads them
// (Occurrence::atLocalTime): the editor shows the moment the preset acts.
// Adding the time of day to the day's midnight is an hour off on every
// daylight-saving day. Available to QML as the singleton LocalTime of
// "zel.scheduler".
class LocalTime : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Milliseconds since the epoch of the local date-time (date, time of day
    // msOfDay). A time that a change to summer time skips is moved on by the
    // gap (02:30 becomes 03:30); one that comes twice when the clocks go
    // back is taken at its first coming. A time outside the day counts from
    // the date's midnight into the day before or after.
    static qint64 compose(const QDate &date, int msOfDay);

    // compose() for QML, with the month counted from 1.
    Q_INVOKABLE double compose(int year, int month, int day, double msOfDay) const;
};
