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

class QThread;

// Gives a worker a thread of its own and carries commands into it. Lives in
// the main thread; the worker lives in the wrapper's thread.
//
// The main thread never waits for a worker that is inside an action (a
// password dialog may stay open for minutes): a wrapper going away abandons
// its worker (it neither reports nor acts any more, see AbstractWorker::Flags)
// and lets the thread end on its own; the thread and the worker then delete
// themselves.
//
// When no thread can be started (the system's limit on threads), the worker
// stays idle on the main thread; hasThread() says so, and startThread() tries
// again.
class WorkerWrapper : public QObject
{
    Q_OBJECT
public:
    WorkerWrapper(AbstractWorker *worker, QObject *parent);
    ~WorkerWrapper() override;

    bool hasThread() const;
    bool startThread();

    void start();
    void pause();
    void stop();
    // Hands the worker a copy of preset, so that the worker's thread is the
    // only one that ever writes to the object it works on.
    void setPreset(const Preset::Ptr &preset);
    // Asks the worker to answer acknowledged(token) once the commands sent
    // before are done.
    void acknowledge(quint64 token);
    // The answer to saveRequested().
    void confirmSaved(bool onDisk, const QString &problem);

    // Abandons the worker, ends its thread and waits for it until deadline,
    // unless it is inside an action. True when the thread has ended.
    bool finish(QDeadlineTimer deadline);

    int type() const;
    QUuid uuid() const { return m_uuid; }

Q_SIGNALS:
    void updatePreset(Preset::Ptr preset);
    void saveRequested();
    void acknowledged(quint64 token);

private:
    template<typename... Arguments>
    void invoke(const char *slot, Arguments... arguments);

    QThread *m_thread;
    AbstractWorker *m_worker;
    std::shared_ptr<AbstractWorker::Flags> m_flags;
    QUuid m_uuid;
    int m_type;
    bool m_moved = false;
};
