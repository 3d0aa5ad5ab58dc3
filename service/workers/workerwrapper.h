// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QObject>
#include <QUuid>

class AbstractWorker;
class QThread;

// Gives a worker a thread of its own and carries commands into it. Lives in
// the main thread; the worker lives in the wrapper's thread until the wrapper
// is destroyed.
class WorkerWrapper : public QObject
{
    Q_OBJECT
public:
    WorkerWrapper(AbstractWorker *worker, QObject *parent);
    // Ends the thread and waits for it; the worker is destroyed in it.
    ~WorkerWrapper() override;

    void start();
    void pause();
    void stop();
    // Hands the worker a copy of preset, so that the worker's thread is the
    // only one that ever writes to the object it works on.
    void setPreset(const Preset::Ptr &preset);
    // Lets the worker run the action that waits for its reports to be saved.
    void confirmSaved();

    int type() const;
    QUuid uuid() const { return m_uuid; }

Q_SIGNALS:
    void updatePreset(Preset::Ptr preset);
    void saveRequested();

private:
    QThread *m_thread;
    AbstractWorker *m_worker;
    QUuid m_uuid;
};
