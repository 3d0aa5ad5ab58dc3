// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "scheduledworker.h"

#include "notificator.h"
#include "occurrence.h"

#include <QTimer>

namespace
{
// How long after the start of a second a tick is due: enough for a precise
// timer to never wake up in the second before.
constexpr int tickMargin = 10;
} // namespace

ScheduledWorker::ScheduledWorker(Preset::Ptr preset) : AbstractWorker(std::move(preset)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &ScheduledWorker::onTimeout);
}

ScheduledWorker::~ScheduledWorker()
{
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void ScheduledWorker::start()
{
    preset()->markStarted();
    report();
    const QDateTime warned = Occurrence::warningOnStart(preset()->schedule(), Occurrence::withoutMSecs(QDateTime::currentDateTime()));
    if (warned.isValid() && warned != m_lastWarned) {
        m_lastWarned = warned;
        sendNotification();
    }
    onTimeout();
}

void ScheduledWorker::pause()
{
    preset()->markPaused();
    report();
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void ScheduledWorker::stop()
{
    preset()->markStopped();
    report();
    if (m_timer->isActive()) {
        m_timer->stop();
    }
}

void ScheduledWorker::armForNextSecond(const QDateTime &current)
{
    // Re-arming for a plain second after each tick would drift and, now and
    // then, skip a second (a missed occurrence) or hit one twice (an action
    // carried out twice).
    m_timer->start(1000 - current.time().msec() + tickMargin);
}

void ScheduledWorker::onTimeout()
{
    const QDateTime current = QDateTime::currentDateTime();
    const QDateTime now = Occurrence::withoutMSecs(current);
    if (now == m_lastTick) {
        // Woken up (or started again) within a second already handled.
        armForNextSecond(current);
        return;
    }
    m_lastTick = now;

    const Occurrence::Tick tick = Occurrence::tick(preset()->schedule(), now);
    if (tick.warning.isValid() && tick.warning != m_lastWarned) {
        m_lastWarned = tick.warning;
        sendNotification();
    }
    if (tick.stop) {
        // Reported stopped before the last action runs, like a countdown.
        stop();
    }
    if (tick.execute) {
        execute();
    }
    if (tick.arm) {
        // After the action, which may have taken long (polkit may ask the
        // user): the seconds it took are not made up.
        armForNextSecond(QDateTime::currentDateTime());
    }
}

void ScheduledWorker::sendNotification()
{
    Notificator().notify(tr("Schedule"), tr("The %1 action will be executed soon").arg(preset()->actionName()));
}
