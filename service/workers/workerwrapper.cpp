// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workerwrapper.h"

#include "actionrunner.h"
#include "rangeworker.h"
#include "scheduledworker.h"
#include "timerworker.h"

#include <QThread>

namespace
{
int typeOf(AbstractWorker *worker)
{
    if (qobject_cast<RangeWorker *>(worker)) {
        return PresetType::Range;
    }
    if (qobject_cast<ScheduledWorker *>(worker)) {
        return PresetType::Scheduled;
    }
    if (qobject_cast<TimerWorker *>(worker)) {
        return PresetType::Timer;
    }
    return PresetType::Undefined;
}
} // namespace

WorkerWrapper::WorkerWrapper(AbstractWorker *worker, QObject *parent)
    : QObject(parent)
    , m_thread(new QThread(this))
    , m_worker(worker)
    , m_runner(new ActionRunner(worker->flags(), worker->effects()))
    , m_flags(worker->flags())
    , m_uuid(worker->preset()->id())
    , m_type(typeOf(worker))
{
    connect(m_thread, &QThread::finished, m_runner, &QObject::deleteLater);
    connect(worker, &AbstractWorker::updatePreset, this, &WorkerWrapper::updatePreset);
    connect(worker, &AbstractWorker::saveRequested, this, &WorkerWrapper::saveRequested);
    connect(worker, &AbstractWorker::acknowledged, this, &WorkerWrapper::acknowledged);
    startThread();
}

WorkerWrapper::~WorkerWrapper()
{
    m_flags->abandoned = true;
    m_worker.reset();
    if (!m_moved) {
        // Its thread never ran: the runner is still here, idle.
        delete m_runner;
        return;
    }
    if (!m_thread->isRunning()) {
        // Ended by finish(); the runner went with it.
        return;
    }
    m_thread->setParent(nullptr);
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    m_thread->quit();
}

bool WorkerWrapper::hasThread() const
{
    return m_thread->isRunning();
}

bool WorkerWrapper::startThread()
{
    if (m_thread->isRunning()) {
        return true;
    }
    m_thread->start(QThread::NormalPriority);
    if (!m_thread->isRunning()) {
        return false;
    }
    // Only now: a runner whose thread never ran would never be deleted.
    m_runner->moveToThread(m_thread);
    m_worker->setActionRunner(m_runner);
    m_moved = true;
    return true;
}

template<typename... Arguments>
void WorkerWrapper::invoke(const char *slot, Arguments... arguments)
{
    if (!m_flags->abandoned) {
        QMetaObject::invokeMethod(m_worker.get(), slot, Qt::QueuedConnection, arguments...);
    }
}

void WorkerWrapper::start()
{
    invoke("start");
}

void WorkerWrapper::restore()
{
    invoke("restore");
}

void WorkerWrapper::pause()
{
    invoke("pause");
}

void WorkerWrapper::stop()
{
    invoke("stop");
}

void WorkerWrapper::setPreset(const Preset::Ptr &preset)
{
    invoke("setPreset", Q_ARG(Preset::Ptr, Preset::make(*preset)));
}

void WorkerWrapper::clockChanged(AbstractWorker::ClockChange change)
{
    invoke("clockChanged", Q_ARG(AbstractWorker::ClockChange, change));
}

void WorkerWrapper::acknowledge(quint64 token)
{
    invoke("acknowledge", Q_ARG(quint64, token));
}

void WorkerWrapper::confirmSaved(bool onDisk, const QString &problem)
{
    invoke("saved", Q_ARG(bool, onDisk), Q_ARG(QString, problem));
}

bool WorkerWrapper::finish(QDeadlineTimer deadline)
{
    m_flags->abandoned = true;
    if (!m_thread->isRunning()) {
        return true;
    }
    m_thread->quit();
    return !m_flags->inAction && m_thread->wait(deadline);
}

int WorkerWrapper::type() const
{
    return m_type;
}
