// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "timerworker.h"

#include "notificator.h"

#include <QTimer>

TimerWorker::TimerWorker(Preset::Ptr preset) : AbstractWorker(std::move(preset)), m_timer(new QTimer(this))
{
    // A coarse timer may be late by 5 % of its interval on every tick; a
    // countdown of minutes would visibly drift.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TimerWorker::onTimeout);
}

TimerWorker::~TimerWorker()
{
    stop();
}

QString TimerWorker::remainingTimeText(quint64 msecs)
{
    const quint64 seconds = msecs / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void TimerWorker::start()
{
    preset()->markStarted();
    report();
    m_timer->start(1000);
}

void TimerWorker::pause()
{
    if (!m_timer->isActive()) {
        return;
    }
    m_timer->stop();
    preset()->markPaused();
    report();
}

void TimerWorker::stop()
{
    pause();
    TimerSettings &timer = preset()->timer();
    timer.remainingTime = timer.timeout;
    preset()->markStopped();
    report();
}

void TimerWorker::onTimeout()
{
    if (!preset()->isRunning()) {
        return;
    }
    TimerSettings &timer = preset()->timer();
    if (timer.remainingTime > 999) {
        timer.remainingTime -= 1000;
        report();
        if (timer.notify != 0 && timer.notify == timer.remainingTime) {
            sendNotification();
        }
    } else {
        execute();
    }
}

void TimerWorker::sendNotification()
{
    const QString text = tr("The %1 action will be executed after %2").arg(preset()->actionName(), remainingTimeText(preset()->timer().remainingTime));
    Notificator().notify(tr("Timer"), text);
}

void TimerWorker::execute()
{
    stop();
    // The stopped state has to be on disk before the action may end the
    // session, or a restarted service would run the countdown (and the
    // action) once more.
    executeWhenSaved(preset()->actionType());
}
