// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "actionfailure.h"
#include "preset.h"

#include <QObject>

#include <atomic>
#include <deque>
#include <memory>

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
// - The only state both threads touch is Flags, shared and atomic.
class AbstractWorker : public QObject
{
    Q_OBJECT
public:
    // What the main thread and the worker's thread both look at. Shared, so
    // that it outlives whichever side ends first; atomic, so that either side
    // reads and writes it at any time.
    struct Flags
    {
        // The preset is gone or handed to another worker: from now on the
        // worker neither reports nor acts. Set once, never cleared.
        std::atomic<bool> abandoned{false};
        // The worker is inside an action (a polkit check may be waiting for
        // the user); nobody waits for its thread then.
        std::atomic<bool> inAction{false};
    };

    explicit AbstractWorker(Preset::Ptr preset);
    ~AbstractWorker() override;

    Preset::Ptr preset() const { return m_preset; }
    std::shared_ptr<Flags> flags() const { return m_flags; }

Q_SIGNALS:
    void updatePreset(Preset::Ptr preset);
    // The reports sent so far must be on disk before an action runs (a fired
    // countdown would otherwise fire again after a restart). Whoever owns the
    // worker saves them and answers with saved(); when nobody listens, the
    // action runs at once.
    void saveRequested();
    // The answer to acknowledge(): everything asked of the worker before it
    // is done, and its reports have been sent.
    void acknowledged(quint64 token);

public Q_SLOTS:
    void setPreset(Preset::Ptr preset);
    virtual void start() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    // The answer to saveRequested() for the oldest action that waits for it:
    // carried out when its state is on disk, told as failed otherwise (with
    // the system's reason), and then the preset is stopped.
    void saved(bool onDisk, const QString &problem);
    void acknowledge(quint64 token);

protected Q_SLOTS:
    virtual void onTimeout() = 0;
    virtual void sendNotification();
    // Carries out the preset's action once its state is saved.
    virtual void execute();

protected:
    // Emits updatePreset with a copy of the preset as it is now.
    void report();
    // Runs action once the reports sent so far are saved (see saveRequested).
    void executeWhenSaved(qint32 action);
    void runAction(qint32 action);

private:
    Preset::Ptr m_preset;
    std::shared_ptr<Flags> m_flags;
    std::deque<qint32> m_actionsWaitingForSave;
};
