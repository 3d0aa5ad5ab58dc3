// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"

class QTimer;

// A countdown: lowers the preset's remaining time by a second on every tick,
// reports it, warns when the remaining time reaches the lead and carries out
// the action when the time has run out.
class TimerWorker : public AbstractWorker
{
    Q_OBJECT
public:
    explicit TimerWorker(Preset::Ptr preset);
    ~TimerWorker() override;

    // The remaining time as the warning shows it: hours, minutes and seconds,
    // two digits each and joined by colons. Hours go on past 23 (25:00:00).
    static QString remainingTimeText(quint64 msecs);

public Q_SLOTS:
    void start() override;
    void pause() override;
    void stop() override;

private Q_SLOTS:
    void onTimeout() override;
    void sendNotification() override;
    void execute() override;

private:
    QTimer *m_timer;
};
