// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "rangeworker.h"

#include "occurrence.h"

#include <QTimer>

namespace
{
// How long after the start of a second a tick is due: enough for a precise
// timer to never wake up in the second before.
constexpr int tickMargin = 10;
} // namespace

RangeWorker::RangeWorker(Preset::Ptr preset) : AbstractWorker(std::move(preset)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &RangeWorker::onTimeout, Qt::DirectConnection);
}

RangeWorker::~RangeWorker()
{
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void RangeWorker::start()
{
    preset()->markStarted();
    report();
    const QDateTime current = QDateTime::currentDateTime();
    m_lastTick = Occurrence::withoutMSecs(current);
    armForNextSecond(current);
}

void RangeWorker::pause()
{
    preset()->markPaused();
    report();
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void RangeWorker::stop()
{
    preset()->markStopped();
    report();
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void RangeWorker::armForNextSecond(const QDateTime &current)
{
    m_timer->start(1000 - current.time().msec() + tickMargin);
}

void RangeWorker::onTimeout()
{
    if (!preset()->isRunning()) {
        return;
    }
    const QDateTime current = QDateTime::currentDateTime();
    const QDateTime now = Occurrence::withoutMSecs(current);
    if (now != m_lastTick) {
        m_lastTick = now;
        // The window of the preset in force, so that an edited window
        // applies without a restart.
        if (Occurrence::firstAtOrAfter(preset()->interval(), now) == now) {
            execute();
        }
    }
    // After the action, which may have taken long: the seconds it took are
    // not made up.
    armForNextSecond(QDateTime::currentDateTime());
}
