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
class WakeAlarm;
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
//
// The one WakeAlarm is kept armed for the earliest coming Turn On occurrence
// of the stored presets (WakeAlarm::due), looked at again after every change
// of the store and of the clock. Without the right to wake the machine a Turn
// On preset is not started, and one found running is stopped; both are told.
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

    // Whether Turn On presets can wake the machine (see WakeAlarm).
    bool canWake() const;

public Q_SLOTS:
    // Whether anyone on the bus is there to see the reports that are only
    // for showing (AbstractWorker::setWatched); told to every worker at once,
    // so that what they report on the way is stored before this returns.
    // True until told otherwise.
    void setWatched(bool watched);
    void onPresetAdded(Preset::Ptr preset);
    void onPresetUpdated(Preset::Ptr preset);
    void onPresetRemoved(QUuid uuid);

private:
    enum class Command { Start, Pause, Stop, Postpone };
    void command(Command command, const QString &uuid, Done done);
    void addWrapper(WorkerWrapper *wrapper, const Preset::Ptr &preset);
    void clockChanged(AbstractWorker::ClockChange change);
    // Whether the preset, started at now, could never act
    // (PresetRules::whyNeverActs) or is a Turn On that cannot wake the
    // machine; such a one is logged and told.
    bool neverActs(const Preset &preset, const QDateTime &now) const;
    void rearm();
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
    bool m_watched = true;
    // Set while the presets stored at start are set up.
    bool m_restoring = false;
    ClockWatcher *m_clockWatcher;
    WakeAlarm *m_wakeAlarm;
};
