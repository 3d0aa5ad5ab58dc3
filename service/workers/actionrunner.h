// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "workereffects.h"

#include <QObject>

#include <atomic>
#include <memory>

// Carries out a preset's actions in a thread of the preset's own, where the
// authorization may wait for the user (a password dialog) without holding up
// the service. Shared with the worker on the main thread are only Flags,
// atomic, the action number, which travels in the queued call, and the
// effects, whose carryOut() and tellFailure() are safe on any thread.
class ActionRunner : public QObject
{
    Q_OBJECT
public:
    struct Flags
    {
        // The preset is gone or handed to another worker: from now on nothing
        // is carried out. Set once, never cleared.
        std::atomic<bool> abandoned{false};
        // An action is in progress (a polkit check may be waiting for the
        // user); nobody waits for the thread then.
        std::atomic<bool> inAction{false};
    };

    ActionRunner(std::shared_ptr<Flags> flags, std::shared_ptr<WorkerEffects> effects) : m_flags(std::move(flags)), m_effects(std::move(effects)) { }

public Q_SLOTS:
    // Carries out action, unless abandoned; a failure is told to the user.
    void run(qint32 action);

private:
    std::shared_ptr<Flags> m_flags;
    // Shared: a thread inside an action may outlive the worker controller.
    std::shared_ptr<WorkerEffects> m_effects;
};
