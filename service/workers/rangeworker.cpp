// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "rangeworker.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace
{
// The window ends are milliseconds since midnight; a number past the end of
// the day gives an invalid time, which no time of day matches.
QTime timeOfDay(quint64 msecs)
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(static_cast<quint32>(msecs)));
}
} // namespace

RangeWorker::RangeWorker(Preset::Ptr preset) : AbstractWorker(std::move(preset)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // A coarse timer may fire 5 % early or late: a five-minute period would
    // wander by fifteen seconds a time.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &RangeWorker::onTimeout, Qt::DirectConnection);
    readWindow();
}

RangeWorker::~RangeWorker()
{
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void RangeWorker::readWindow()
{
    m_start = timeOfDay(preset()->interval().start);
    m_end = timeOfDay(preset()->interval().end);
}

int RangeWorker::regularity() const
{
    // 0 would repeat the action without a pause, and QTimer refuses a
    // negative interval, which would leave the worker idle without a word.
    const qint64 value = preset()->interval().regularity;
    return static_cast<int>(std::clamp<qint64>(value, minimumRegularity, std::numeric_limits<int>::max()));
}

void RangeWorker::start()
{
    preset()->markStarted();
    report();
    m_timer->start(regularity());
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

void RangeWorker::onTimeout()
{
    if (!preset()->isRunning()) {
        return;
    }
    // The window of the preset in force, so that an edited window applies
    // without a restart.
    readWindow();
    const QTime now = QTime::currentTime();
    if (!m_start.isValid() || !m_end.isValid() || now < m_start || now > m_end) {
        m_timer->start(1000);
        return;
    }
    execute();
    m_timer->start(regularity());
}
