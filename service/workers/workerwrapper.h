// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"
#include "preset.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QUuid>

#include <memory>

class ActionRunner;
class QThread;

// Owns a worker and gives its preset a thread of its own, in which its
// actions run (see ActionRunner); worker and wrapper live on the main thread.
// Commands reach the worker as queued invocations, so that each is carried
// out after the bus call that asked for it has returned, in order.
//
// The main thread never waits for an action (a password dialog may stay open
// for minutes): a wrapper going away abandons its worker (it neither reports
// nor acts any more, see ActionRunner::Flags), deletes it, and lets the thread
// end on its own; the thread and its runner then delete themselves.
//
// When no thread can be started (the system's limit on threads), hasThread()
// says so, the preset cannot run, and startThread() tries again.
class WorkerWrapper : public QObject
{
    Q_OBJECT
public:
    WorkerWrapper(AbstractWorker *worker, QObject *parent);
    ~WorkerWrapper() override;

    bool hasThread() const;
    bool startThread();

    void start();
    void restore();
    void pause();
    void stop();
    // Hands the worker a copy of preset, so that no object the store keeps
    // is ever changed by a worker.
    void setPreset(const Preset::Ptr &preset);
    void clockChanged(AbstractWorker::ClockChange change);
    // Asks the worker to answer acknowledged(token) once the commands sent
    // before are done.
    void acknowledge(quint64 token);
    // The answer to saveRequested().
    void confirmSaved(bool onDisk, const QString &problem);

    // Abandons the worker, ends its thread and waits for it until deadline,
    // unless an action is in progress there. True when the thread has ended.
    bool finish(QDeadlineTimer deadline);

    int type() const;
    QUuid uuid() const { return m_uuid; }

Q_SIGNALS:
    void updatePreset(Preset::Ptr preset, bool durable);
    void saveRequested();
    void acknowledged(quint64 token);

private:
    template<typename... Arguments>
    void invoke(const char *slot, Arguments... arguments);

    QThread *m_thread;
    std::unique_ptr<AbstractWorker> m_worker;
    ActionRunner *m_runner;
    std::shared_ptr<AbstractWorker::Flags> m_flags;
    QUuid m_uuid;
    int m_type;
    bool m_moved = false;
};
