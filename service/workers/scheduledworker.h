// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"

#include <QDateTime>

class QTimer;

// A calendar schedule: once a second it looks at the local time, carries out
// the action when this second is an occurrence (see Occurrence), warns when
// this second is the lead before one, and stops once no occurrence remains.
// Started inside the lead of its next occurrence, it warns at once.
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
    // Arms the timer for just after the next whole second of the local clock.
    void armForNextSecond(const QDateTime &current);

    QTimer *m_timer;
    // The second that the last tick handled; a tick that wakes up before the
    // next second has begun must not handle it again.
    QDateTime m_lastTick;
    // The last occurrence warned of: a start inside a lead and the tick in
    // the warning's own second must not both warn.
    QDateTime m_lastWarned;
};
