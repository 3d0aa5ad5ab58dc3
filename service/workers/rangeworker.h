// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"

#include <QTime>

class QTimer;

// A daily window: inside it the action is carried out again and again, one
// regularity apart; outside it the worker looks at the clock once a second.
class RangeWorker : public AbstractWorker
{
    Q_OBJECT
public:
    explicit RangeWorker(Preset::Ptr preset);
    ~RangeWorker() override;

    // Shortest pause between two executions, and between two checks.
    static constexpr qint64 minimumRegularity = 1000;

public Q_SLOTS:
    void start() override;
    void pause() override;
    void stop() override;

private Q_SLOTS:
    void onTimeout() override;

private:
    void readWindow();
    int regularity() const;

    QTimer *m_timer;
    QTime m_start;
    QTime m_end;
};
