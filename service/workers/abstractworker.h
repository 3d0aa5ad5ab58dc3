// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QObject>

#include <deque>

// Base of the three workers. A worker lives in a thread of its own (see
// WorkerWrapper) and owns a private copy of its preset.
//
// Sharing a preset between the worker thread and the main thread:
// - The preset a worker holds is written and read only in the worker's thread.
//   setPreset() is always handed a copy nobody else keeps (WorkerWrapper makes
//   it on the main thread), and the worker built on the main thread is moved
//   to its thread before the thread starts ticking.
// - Every report (updatePreset) carries a fresh copy made in the worker's
//   thread at the moment of the change. The store keeps that copy, and nothing
//   writes to it afterwards, so the main thread never reads an object that a
//   worker thread is changing.
// - The store echoes each report back as presetUpdated; WorkerController does
//   not hand a worker the preset that this worker has just reported (the
//   worker has moved on since), so a report can never rewind the worker, while
//   every preset that comes from the bus still reaches it through setPreset.
class AbstractWorker : public QObject
{
    Q_OBJECT
public:
    explicit AbstractWorker(Preset::Ptr preset);
    ~AbstractWorker() override;

    Preset::Ptr preset() const { return m_preset; }

Q_SIGNALS:
    void updatePreset(Preset::Ptr preset);
    // The reports sent so far must be on disk before an action that may take
    // the machine down runs. Whoever owns the worker saves them and answers
    // with actionSaved(); when nobody listens, the action runs at once.
    void saveRequested();

public Q_SLOTS:
    void setPreset(Preset::Ptr preset);
    virtual void start() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    // The answer to saveRequested(): runs the oldest action that waits for it.
    void actionSaved();

protected Q_SLOTS:
    virtual void onTimeout() = 0;
    virtual void sendNotification();
    virtual void execute();

protected:
    // Emits updatePreset with a copy of the preset as it is now.
    void report();
    // Runs action once the reports sent so far are saved (see saveRequested).
    void executeWhenSaved(qint32 action);
    static void runAction(qint32 action);

private:
    Preset::Ptr m_preset;
    std::deque<qint32> m_actionsWaitingForSave;
};
