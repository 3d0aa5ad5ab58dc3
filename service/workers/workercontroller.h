// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"
#include "preset.h"
#include "timerworker.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class ClockWatcher;
class Storage;
class WorkerWrapper;

// Keeps one worker per timed preset, following the store as presets come,
// change and go, and passes the bus commands start, pause and stop to them.
//
// A command's done callback runs on the main thread once the worker has
// carried the command out and every report it made on the way is written to
// disk (or could not be: the store has logged and told that). It runs at
// once for a command that matches no worker, and when the worker goes away
// first. Nothing waits for an action (see WorkerWrapper).
//
// Presets found running when the controller is made (the service starts) are
// restored (AbstractWorker::restore); one ClockWatcher tells every worker of
// a wall clock that was set and of a wake-up from sleep.
class WorkerController : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void()>;

    // effects: where the workers' warnings, failures, postponements and
    // actions go. countdownClock: the countdowns' clock (see TimerWorker).
    WorkerController(Storage *storage, std::shared_ptr<WorkerEffects> effects, QObject *parent, TimerWorker::Clock countdownClock = TimerWorker::Clock());
    ~WorkerController() override;

    void start(const QString &uuid, Done done = {});
    void pause(const QString &uuid, Done done = {});
    void stop(const QString &uuid, Done done = {});
    // As the warning's "Postpone" choice (AbstractWorker::postpone).
    void postpone(const QString &uuid, Done done = {});

    // Ends every worker: none reports or acts any more, and actions that
    // wait are dropped; what they reported before is stored.
    void shutdown();

public Q_SLOTS:
    void onPresetAdded(Preset::Ptr preset);
    void onPresetUpdated(Preset::Ptr preset);
    void onPresetRemoved(QUuid uuid);

private:
    enum class Command { Start, Pause, Stop, Postpone };
    void command(Command command, const QString &uuid, Done done);
    void addWrapper(WorkerWrapper *wrapper, const Preset::Ptr &preset);
    void clockChanged(AbstractWorker::ClockChange change);
    // Whether the preset, started at now, could never act
    // (PresetRules::whyNeverActs); such a one is logged and told.
    bool neverActs(const Preset &preset, const QDateTime &now) const;
    WorkerWrapper *findByText(const QString &uuid) const;
    void destroy(std::unique_ptr<WorkerWrapper> wrapper);

    Storage *m_storage;
    std::shared_ptr<WorkerEffects> m_effects;
    TimerWorker::Clock m_countdownClock;
    std::vector<std::unique_ptr<WorkerWrapper>> m_wrappers;
    // The report that the store is handling right now; its echo through
    // presetUpdated is not handed back to the worker that sent it.
    const Preset *m_reportInFlight = nullptr;
    // Commands waiting for their worker's acknowledgement, by token.
    std::map<quint64, std::pair<const WorkerWrapper *, Done>> m_waiting;
    quint64 m_nextToken = 0;
    bool m_shutDown = false;
    // Set while the presets stored at start are set up.
    bool m_restoring = false;
    ClockWatcher *m_clockWatcher;
};
