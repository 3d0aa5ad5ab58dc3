// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workerwrapper.h"

#include "abstractworker.h"
#include "rangeworker.h"
#include "scheduledworker.h"
#include "timerworker.h"

#include <QThread>

WorkerWrapper::WorkerWrapper(AbstractWorker *worker, QObject *parent)
    : QObject(parent), m_thread(new QThread(this)), m_worker(worker), m_uuid(worker->preset()->id())
{
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(m_worker, &AbstractWorker::updatePreset, this, &WorkerWrapper::updatePreset);
    connect(m_worker, &AbstractWorker::saveRequested, this, &WorkerWrapper::saveRequested);
    m_worker->moveToThread(m_thread);
    m_thread->start(QThread::NormalPriority);
}

WorkerWrapper::~WorkerWrapper()
{
    if (m_thread->isRunning()) {
        m_thread->quit();
        m_thread->wait();
    }
    // Reports that the worker sent while it ended are still queued for this
    // object; ~QObject drops them, so a removed preset is not stored again.
}

void WorkerWrapper::start()
{
    QMetaObject::invokeMethod(m_worker, "start", Qt::QueuedConnection);
}

void WorkerWrapper::pause()
{
    QMetaObject::invokeMethod(m_worker, "pause", Qt::QueuedConnection);
}

void WorkerWrapper::stop()
{
    QMetaObject::invokeMethod(m_worker, "stop", Qt::QueuedConnection);
}

void WorkerWrapper::setPreset(const Preset::Ptr &preset)
{
    QMetaObject::invokeMethod(m_worker, "setPreset", Qt::QueuedConnection, Q_ARG(Preset::Ptr, Preset::make(*preset)));
}

void WorkerWrapper::confirmSaved()
{
    QMetaObject::invokeMethod(m_worker, "actionSaved", Qt::QueuedConnection);
}

int WorkerWrapper::type() const
{
    if (qobject_cast<RangeWorker *>(m_worker)) {
        return PresetType::Range;
    }
    if (qobject_cast<ScheduledWorker *>(m_worker)) {
        return PresetType::Scheduled;
    }
    if (qobject_cast<TimerWorker *>(m_worker)) {
        return PresetType::Timer;
    }
    return PresetType::Undefined;
}
