// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"

#include <QDateTime>

class QTimer;

// A calendar schedule: once a second it looks at the local time, carries out
// the action when this second is an occurrence (see Occurrence) and warns when
// it lies exactly the lead before one.
class ScheduledWorker : public AbstractWorker
{
    Q_OBJECT
public:
    explicit ScheduledWorker(Preset::Ptr preset);
    ~ScheduledWorker() override;

public Q_SLOTS:
    void start() override;
    void pause() override;
    void stop() override;

private Q_SLOTS:
    void onTimeout() override;
    void sendNotification() override;

private:
    void readSchedule(bool wholeSeconds);
    // Arms the timer for just after the next whole second of the local clock.
    void armForNextSecond(const QDateTime &current);

    QTimer *m_timer;
    QDateTime m_start;
    QDateTime m_end;
    // The second that the last tick handled; a tick that wakes up before the
    // next second has begun must not handle it again.
    QDateTime m_lastTick;
};
