// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workercontroller.h"

#include "clockwatcher.h"
#include "managedpresets.h"
#include "presetrules.h"
#include "rangeworker.h"
#include "scheduledworker.h"
#include "storage.h"
#include "timerworker.h"
#include "wakealarm.h"
#include "workercontroller_debug.h"
#include "workerwrapper.h"

#include <algorithm>

WorkerController::WorkerController(Storage *storage, std::shared_ptr<WorkerEffects> effects, QObject *parent, TimerWorker::Clock countdownClock)
    : QObject(parent)
    , m_storage(storage)
    , m_effects(std::move(effects))
    , m_countdownClock(std::move(countdownClock))
    , m_clockWatcher(new ClockWatcher(this))
    , m_wakeAlarm(new WakeAlarm(this))
{
    // The queued setPreset and clockChanged carry these by name.
    qRegisterMetaType<Preset::Ptr>("Preset::Ptr");
    qRegisterMetaType<AbstractWorker::ClockChange>("AbstractWorker::ClockChange");
    connect(m_clockWatcher, &ClockWatcher::clockSet, this, [this] { clockChanged(AbstractWorker::ClockChange::Set); });
    connect(m_clockWatcher, &ClockWatcher::resumed, this, [this] { clockChanged(AbstractWorker::ClockChange::Resumed); });
    // Woken by the alarm, the workers need not wait for logind to say so;
    // either way the spent alarm is armed for the next Turn On.
    connect(m_wakeAlarm, &WakeAlarm::expired, this, [this](bool afterSleep) {
        if (afterSleep) {
            clockChanged(AbstractWorker::ClockChange::Resumed);
        } else {
            rearm();
        }
    });

    connect(m_storage, &Storage::presetAdded, this, &WorkerController::onPresetAdded);
    connect(m_storage, &Storage::presetUpdated, this, &WorkerController::onPresetUpdated);
    connect(m_storage, &Storage::presetRemoved, this, &WorkerController::onPresetRemoved);

    // A copy of the list: setting up never changes the store, but the loop
    // must not depend on that.
    const QVector<Preset::Ptr> presets = m_storage->presets();
    m_restoring = true;
    for (const Preset::Ptr &preset : presets) {
        onPresetAdded(preset);
    }
    m_restoring = false;

    // After the workers: what they changed is stored by then.
    connect(m_storage, &Storage::presetAdded, this, &WorkerController::rearm);
    connect(m_storage, &Storage::presetUpdated, this, &WorkerController::rearm);
    connect(m_storage, &Storage::presetRemoved, this, &WorkerController::rearm);
    rearm();
}

WorkerController::~WorkerController()
{
    shutdown();
}

void WorkerController::shutdown()
{
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    while (!m_wrappers.empty()) {
        std::unique_ptr<WorkerWrapper> wrapper = std::move(m_wrappers.front());
        m_wrappers.erase(m_wrappers.begin());
        destroy(std::move(wrapper));
    }
}

bool WorkerController::canWake() const
{
    return m_wakeAlarm->isAvailable();
}

void WorkerController::start(const QString &uuid, Done done)
{
    command(Command::Start, uuid, std::move(done));
}

void WorkerController::pause(const QString &uuid, Done done)
{
    command(Command::Pause, uuid, std::move(done));
}

void WorkerController::stop(const QString &uuid, Done done)
{
    command(Command::Stop, uuid, std::move(done));
}

void WorkerController::postpone(const QString &uuid, Done done)
{
    command(Command::Postpone, uuid, std::move(done));
}

void WorkerController::command(Command command, const QString &uuid, Done done)
{
    WorkerWrapper *wrapper = findByText(uuid);
    const auto found = wrapper
        ? std::find_if(m_storage->presets().cbegin(), m_storage->presets().cend(), [wrapper](const Preset::Ptr &p) { return p->id() == wrapper->uuid(); })
        : m_storage->presets().cend();
    const Preset::Ptr preset = found != m_storage->presets().cend() ? *found : Preset::Ptr();
    const bool refused = preset && command != Command::Start &&
        !ManagedPresets::allows(preset->managed(), command == Command::Pause ? ManagedPresets::Change::Pause : ManagedPresets::Change::Stop);
    if (refused) {
        qCWarning(WORKERCONTROLLER) << "Preset" << uuid << "is set by the administrator, who does not let the user pause or stop it: left as it is";
    }
    if (!wrapper || refused) {
        if (done) {
            done();
        }
        return;
    }
    switch (command) {
    case Command::Start: {
        qCDebug(WORKERCONTROLLER) << "Sending command start for preset" << uuid;
        if (preset && neverActs(*preset, QDateTime::currentDateTime())) {
            // Left stopped; one paused before is stopped now.
            if (!preset->isRunning() && !preset->isPaused()) {
                if (done) {
                    done();
                }
                return;
            }
            wrapper->stop();
            break;
        }
        wrapper->start();
        break;
    }
    case Command::Pause:
        qCDebug(WORKERCONTROLLER) << "Sending command pause for preset" << uuid;
        wrapper->pause();
        break;
    case Command::Stop:
        qCDebug(WORKERCONTROLLER) << "Sending command stop for preset" << uuid;
        wrapper->stop();
        break;
    case Command::Postpone:
        qCDebug(WORKERCONTROLLER) << "Sending command postpone for preset" << uuid;
        wrapper->postpone();
        break;
    }
    if (done) {
        const quint64 token = ++m_nextToken;
        m_waiting.emplace(token, std::make_pair(wrapper, std::move(done)));
        wrapper->acknowledge(token);
    }
}

void WorkerController::setWatched(bool watched)
{
    qCDebug(WORKERCONTROLLER) << (watched ? "Watched" : "Not watched");
    m_watched = watched;
    for (auto &wrapper : m_wrappers) {
        wrapper->setWatched(watched);
    }
}

void WorkerController::onPresetAdded(Preset::Ptr preset)
{
    qCDebug(WORKERCONTROLLER) << "onPresetAdded" << preset->toJson();
    if (m_shutDown) {
        return;
    }
    // The worker's own copy (see AbstractWorker).
    Preset::Ptr own = Preset::make(*preset);
    AbstractWorker *worker = nullptr;
    switch (preset->presetType()) {
    case PresetType::Timer:
        qCDebug(WORKERCONTROLLER) << "setupTimer";
        worker = new TimerWorker(std::move(own), m_effects, m_countdownClock);
        break;
    case PresetType::Scheduled:
        qCDebug(WORKERCONTROLLER) << "setupSchedule";
        worker = new ScheduledWorker(std::move(own), m_effects);
        break;
    case PresetType::Range:
        qCDebug(WORKERCONTROLLER) << "setupRange";
        worker = new RangeWorker(std::move(own), m_effects);
        break;
    default:
        return;
    }
    addWrapper(new WorkerWrapper(worker, nullptr), preset);
}

void WorkerController::onPresetUpdated(Preset::Ptr preset)
{
    qCDebug(WORKERCONTROLLER) << "onPresetUpdated" << preset->toJson();
    auto it = std::find_if(
        m_wrappers.begin(), m_wrappers.end(), [&preset](const std::unique_ptr<WorkerWrapper> &wrapper) { return wrapper->uuid() == preset->id(); });
    if (it == m_wrappers.end()) {
        return;
    }
    if (preset->presetType() == (*it)->type()) {
        // The worker's own report coming back: the worker is already past it.
        if (preset.get() != m_reportInFlight) {
            (*it)->setPreset(preset);
        }
        return;
    }
    qCDebug(WORKERCONTROLLER) << "Type for preset" << preset->id() << "changed! Remove worker and create new one!";
    std::unique_ptr<WorkerWrapper> old = std::move(*it);
    m_wrappers.erase(it);
    destroy(std::move(old));
    m_effects->dropPostponed(preset->id());
    onPresetAdded(preset);
}

void WorkerController::onPresetRemoved(QUuid uuid)
{
    qCDebug(WORKERCONTROLLER) << "onPresetRemoved" << uuid;
    auto removed =
        std::stable_partition(m_wrappers.begin(), m_wrappers.end(), [&uuid](const std::unique_ptr<WorkerWrapper> &wrapper) { return wrapper->uuid() != uuid; });
    // Take them out of the sequence first, then destroy them one by one.
    std::vector<std::unique_ptr<WorkerWrapper>> gone;
    std::move(removed, m_wrappers.end(), std::back_inserter(gone));
    m_wrappers.erase(removed, m_wrappers.end());
    for (auto &wrapper : gone) {
        destroy(std::move(wrapper));
    }
    m_effects->dropPostponed(uuid);
}

void WorkerController::destroy(std::unique_ptr<WorkerWrapper> wrapper)
{
    // Never waits: an action the worker has waiting is dropped with it (see
    // WorkerWrapper).
    const WorkerWrapper *gone = wrapper.get();
    wrapper.reset();
    std::vector<Done> answered;
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (it->second.first == gone) {
            answered.push_back(std::move(it->second.second));
            it = m_waiting.erase(it);
        } else {
            ++it;
        }
    }
    for (Done &done : answered) {
        done();
    }
}

void WorkerController::addWrapper(WorkerWrapper *wrapper, const Preset::Ptr &preset)
{
    connect(wrapper, &WorkerWrapper::updatePreset, this, [this](const Preset::Ptr &report, bool durable) {
        m_reportInFlight = report.get();
        if (durable) {
            m_storage->updatePreset(report);
        } else {
            m_storage->stagePreset(report);
            // Unwatched, a worker reports only when it wakes anyway (its
            // minute's save): written in that wake-up rather than on the
            // store's own timer, which would wake the service once more.
            if (!m_watched) {
                m_storage->writePending(SettingsFile::Durability::Progress);
            }
        }
        m_reportInFlight = nullptr;
    });
    // The worker waits with its action until its reports are on disk (a
    // fired countdown must not fire again after a restart). Nothing blocks:
    // the answer is queued back to the worker, and when the wrapper is
    // destroyed first, both the request and the answer are dropped with it.
    connect(wrapper, &WorkerWrapper::saveRequested, this, [this, wrapper] {
        m_storage->writePending();
        const bool onDisk = m_storage->isSaved(wrapper->uuid());
        wrapper->confirmSaved(onDisk, onDisk ? QString() : m_storage->writeError());
    });
    connect(wrapper, &WorkerWrapper::acknowledged, this, [this](quint64 token) {
        // A command's reports may have been staged without a write of their own.
        m_storage->writePending();
        const auto it = m_waiting.find(token);
        if (it != m_waiting.end()) {
            const Done done = std::move(it->second.second);
            m_waiting.erase(it);
            done();
        }
    });
    m_wrappers.emplace_back(wrapper);
    wrapper->setWatched(m_watched);
    // A preset restored may still act on an occurrence missed while the
    // service was not running (its worker decides, and tells what it
    // skipped), so only its settings are judged then.
    if (m_restoring && preset->isRunning() && neverActs(*preset, QDateTime::fromMSecsSinceEpoch(0))) {
        wrapper->stop();
        return;
    }
    // A client may store a preset running, bypassing the start command; a
    // Turn On is judged then too (an older client's countdown of one).
    if (!m_restoring && preset->isRunning() && preset->actionType() == ActionType::TurnOn && neverActs(*preset, QDateTime::currentDateTime())) {
        wrapper->stop();
        return;
    }
    if (preset->isRunning()) {
        if (m_restoring) {
            wrapper->restore();
        } else {
            wrapper->start();
        }
    }
}

void WorkerController::clockChanged(AbstractWorker::ClockChange change)
{
    for (auto &wrapper : m_wrappers) {
        wrapper->clockChanged(change);
    }
    // The same wall-clock moment may be another local time now (a new time
    // zone), and after a wake the alarm may be spent.
    rearm();
}

void WorkerController::rearm()
{
    if (!m_shutDown) {
        m_wakeAlarm->arm(WakeAlarm::due(m_storage->presets(), QDateTime::currentDateTime()));
    }
}

bool WorkerController::neverActs(const Preset &preset, const QDateTime &now) const
{
    const PresetRules::NeverActs never = PresetRules::whyNeverActs(preset, now);
    if (never.isEmpty() && preset.actionType() == ActionType::TurnOn && !m_wakeAlarm->isAvailable()) {
        qCWarning(WORKERCONTROLLER) << "Preset" << preset.id() << "is not started: the service may not wake the machine";
        m_effects->tellFailure(preset.actionType(), ActionFailure::Reason::NeverActs, PresetRules::noWakeRight(WakeAlarm::grantCommand()));
        return true;
    }
    if (never.isEmpty()) {
        return false;
    }
    qCWarning(WORKERCONTROLLER) << "Preset" << preset.id() << "is not started: it could never act:" << never.reason;
    m_effects->tellFailure(preset.actionType(), ActionFailure::Reason::NeverActs, never.reason);
    return true;
}

WorkerWrapper *WorkerController::findByText(const QString &uuid) const
{
    auto it = std::find_if(
        m_wrappers.begin(), m_wrappers.end(), [&uuid](const std::unique_ptr<WorkerWrapper> &wrapper) { return wrapper->uuid().toString() == uuid; });
    return it == m_wrappers.end() ? nullptr : it->get();
}
