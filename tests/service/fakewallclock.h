// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// A wall clock that moves only when a test says so, for the schedule and
// window workers, and their timer run on it: runUntil() wakes the worker up
// at each moment it armed its timer for, in order, as the real timer would.

#include "occurrenceworker.h"

#include <QTimer>
#include <QtTest>

namespace FakeWallClock
{
// What the clock says.
inline QDateTime now;
// When the worker last looked at it: the moment its timer was armed from.
inline QDateTime lastLook;
inline const OccurrenceWorker::Clock clock = [] { return lastLook = now; };

// When the worker's timer wakes it up next; invalid when it is not armed.
inline QDateTime wakeAt(const OccurrenceWorker &worker)
{
    const auto *timer = worker.findChild<QTimer *>();
    return timer && timer->isActive() ? lastLook.addMSecs(timer->interval()) : QDateTime();
}

inline void runUntil(OccurrenceWorker &worker, const QDateTime &until)
{
    int wakeUps = 0;
    for (QDateTime wake = wakeAt(worker); wake.isValid() && wake <= until; wake = wakeAt(worker)) {
        QVERIFY2(++wakeUps < 1000, "the worker keeps waking up");
        now = wake;
        QVERIFY(QMetaObject::invokeMethod(&worker, "onTimeout", Qt::DirectConnection));
    }
    now = until;
}
} // namespace FakeWallClock
