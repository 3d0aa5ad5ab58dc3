// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "workereffects.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>

// Base of the three workers. A worker decides when its preset's action is
// due, warns beforehand and has the action carried out. It lives on the main
// thread, with the store and the bus, and sleeps on one timer until something
// is due; the action itself is started through the effects and answers
// later (WorkerEffects::carryOut), so a password dialog holds nothing up.
//
// The preset a worker holds is its own copy: setPreset() is handed a copy
// nobody else keeps, and every report (updatePreset) carries a fresh copy of
// the moment, which the store keeps and nobody changes afterwards. The store
// echoes each report back as presetUpdated; WorkerController does not hand a
// worker the preset that this worker has just reported, so a report never
// rewinds the worker, while every preset from the bus reaches it.
//
// A worker is watched while some client on the bus is there to see its
// reports. Unwatched, it sends only the reports that change its preset's
// state or must be saved, and wakes only when something is due: a running
// countdown leaves out its every second and reports its remaining time once
// a minute, to be saved. Watched again, it reports at once where it stands.
class AbstractWorker : public QObject
{
    Q_OBJECT
public:
    // Why the wall clock is looked at again out of turn.
    enum class ClockChange {
        Set, // the wall clock was set or stepped
        Resumed, // the machine woke up from sleep
    };
    Q_ENUM(ClockChange)

    // effects: where warnings, failures, postponements and actions go.
    AbstractWorker(Preset::Ptr preset, std::shared_ptr<WorkerEffects> effects);
    ~AbstractWorker() override;

    Preset::Ptr preset() const { return m_preset; }
    const std::shared_ptr<WorkerEffects> &effects() const { return m_effects; }
    // The preset is gone or handed to another worker: from now on the worker
    // neither reports nor starts an action. Its actions that wait are
    // dropped when it is deleted (see WorkerEffects::carryOut).
    void abandon() { m_abandoned = true; }
    bool isAbandoned() const { return m_abandoned; }

Q_SIGNALS:
    // A change of the preset. durable: it goes to disk before anything else
    // happens (run state, a new remaining time of a countdown that is not
    // counting); otherwise it may wait for the store's next write (the
    // remaining time of a running countdown, once a second).
    void updatePreset(Preset::Ptr preset, bool durable);
    // The reports sent so far must be on disk before an action runs (a fired
    // countdown would otherwise fire again after a restart). Whoever owns the
    // worker saves them and answers with saved(); when nobody listens, the
    // action runs at once.
    void saveRequested();
    // The answer to acknowledge(): everything asked of the worker before it
    // is done, and its reports have been sent.
    void acknowledged(quint64 token);

public Q_SLOTS:
    virtual void setPreset(Preset::Ptr preset);
    virtual void start() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    // What "Postpone" on a warning does, asked for without one (from the
    // bus): the next action of a running preset comes postponeMSecs later,
    // and a warning on screen is withdrawn. A daily window has no
    // postponement: nothing happens.
    virtual void postpone();
    // Starts a preset that was running when the service last ended.
    virtual void restore();
    // The wall clock changed under the worker: whatever became due (or no
    // longer is) is handled at once.
    virtual void clockChanged(AbstractWorker::ClockChange change);
    // Whether a client is there to see the reports; true until told.
    virtual void setWatched(bool watched);
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
    // What the user may choose on a warning.
    enum Choice { Cancel, Postpone };
    // How far "Postpone" moves an action.
    static constexpr qint64 postponeMSecs = 10 * 60 * 1000;

    // Shows a warning with the choice to cancel and, with postpone, to
    // postpone (of an administrator's preset, only those the user may make:
    // ManagedPresets::allows); it replaces the worker's warning on screen, if any, and stays
    // until withdrawn. chosen runs when the user picks one (the warning is
    // withdrawn first).
    void showWarning(const QString &title, const QString &body, bool postpone, std::function<void(Choice)> chosen);
    // Takes the worker's warning off the screen: its action came, or the
    // preset was stopped, paused, changed or removed.
    void withdrawWarning();

    // Emits updatePreset with a copy of the preset as it is now.
    void report(bool durable = true);
    // Runs action once the reports sent so far are saved (see saveRequested).
    void executeWhenSaved(qint32 action);
    void runAction(qint32 action);

private:
    Preset::Ptr m_preset;
    std::shared_ptr<WorkerEffects> m_effects;
    bool m_abandoned = false;
    std::deque<qint32> m_actionsWaitingForSave;
    quint32 m_warning = 0;
};
