// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"

#include <QDateTime>

class QTimer;

// A daily window: once a second it looks at the local time and carries out
// the action when this second is one of the window's action moments (see
// Occurrence). The second in which it is started never acts.
class RangeWorker : public AbstractWorker
{
    Q_OBJECT
public:
    explicit RangeWorker(Preset::Ptr preset);
    ~RangeWorker() override;

public Q_SLOTS:
    void start() override;
    void pause() override;
    void stop() override;

private Q_SLOTS:
    void onTimeout() override;

private:
    // Arms the timer for just after the next whole second of the local clock.
    void armForNextSecond(const QDateTime &current);

    QTimer *m_timer;
    // The second that the last tick handled (or the start's second).
    QDateTime m_lastTick;
};
