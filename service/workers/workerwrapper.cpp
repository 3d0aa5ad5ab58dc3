// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workerwrapper.h"

#include "rangeworker.h"
#include "scheduledworker.h"
#include "timerworker.h"

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
    : QObject(parent), m_worker(worker), m_uuid(worker->preset()->id()), m_type(typeOf(worker))
{
    connect(worker, &AbstractWorker::updatePreset, this, &WorkerWrapper::updatePreset);
    connect(worker, &AbstractWorker::saveRequested, this, &WorkerWrapper::saveRequested);
    connect(worker, &AbstractWorker::acknowledged, this, &WorkerWrapper::acknowledged);
}

WorkerWrapper::~WorkerWrapper()
{
    // Whatever the worker does on its way out is neither reported nor acted on.
    m_worker->abandon();
    m_worker.reset();
}

template<typename... Arguments>
void WorkerWrapper::invoke(const char *slot, Arguments... arguments)
{
    if (!m_worker->isAbandoned()) {
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

void WorkerWrapper::postpone()
{
    invoke("postpone");
}

void WorkerWrapper::setPreset(const Preset::Ptr &preset)
{
    invoke("setPreset", Q_ARG(Preset::Ptr, Preset::make(*preset)));
}

void WorkerWrapper::clockChanged(AbstractWorker::ClockChange change)
{
    invoke("clockChanged", Q_ARG(AbstractWorker::ClockChange, change));
}

void WorkerWrapper::setWatched(bool watched)
{
    if (!m_worker->isAbandoned()) {
        m_worker->setWatched(watched);
    }
}

void WorkerWrapper::acknowledge(quint64 token)
{
    invoke("acknowledge", Q_ARG(quint64, token));
}

void WorkerWrapper::confirmSaved(bool onDisk, const QString &problem)
{
    invoke("saved", Q_ARG(bool, onDisk), Q_ARG(QString, problem));
}

int WorkerWrapper::type() const
{
    return m_type;
}
