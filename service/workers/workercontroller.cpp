// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workercontroller.h"

#include "rangeworker.h"
#include "scheduledworker.h"
#include "storage.h"
#include "timerworker.h"
#include "workercontroller_debug.h"
#include "workerwrapper.h"

#include <algorithm>

WorkerController::WorkerController(Storage *storage, QObject *parent) : QObject(parent), m_storage(storage)
{
    // Queued reports and the queued setPreset carry the pointer by this name.
    qRegisterMetaType<Preset::Ptr>("Preset::Ptr");

    connect(m_storage, &Storage::presetAdded, this, &WorkerController::onPresetAdded);
    connect(m_storage, &Storage::presetUpdated, this, &WorkerController::onPresetUpdated);
    connect(m_storage, &Storage::presetRemoved, this, &WorkerController::onPresetRemoved);

    // A copy of the list: setting up never changes the store, but the loop
    // must not depend on that.
    const QVector<Preset::Ptr> presets = m_storage->presets();
    for (const Preset::Ptr &preset : presets) {
        onPresetAdded(preset);
    }
}

WorkerController::~WorkerController()
{
    // One after the other, in order of creation.
    for (auto &wrapper : m_wrappers) {
        wrapper.reset();
    }
}

void WorkerController::start(QString uuid)
{
    if (WorkerWrapper *wrapper = findByText(uuid)) {
        qCDebug(WORKERCONTROLLER) << "Sending command start for preset" << uuid;
        wrapper->start();
    }
}

void WorkerController::pause(QString uuid)
{
    if (WorkerWrapper *wrapper = findByText(uuid)) {
        qCDebug(WORKERCONTROLLER) << "Sending command pause for preset" << uuid;
        wrapper->pause();
    }
}

void WorkerController::stop(QString uuid)
{
    if (WorkerWrapper *wrapper = findByText(uuid)) {
        qCDebug(WORKERCONTROLLER) << "Sending command stop for preset" << uuid;
        wrapper->stop();
    }
}

void WorkerController::onPresetAdded(Preset::Ptr preset)
{
    qCDebug(WORKERCONTROLLER) << "onPresetAdded" << preset->toJson();
    switch (preset->presetType()) {
    case PresetType::Timer:
        setupTimer(preset);
        break;
    case PresetType::Scheduled:
        setupSchedule(preset);
        break;
    case PresetType::Range:
        setupRange(preset);
        break;
    default:
        break;
    }
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
    old.reset();
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
        wrapper.reset();
    }
}

void WorkerController::setupTimer(const Preset::Ptr &preset)
{
    qCDebug(WORKERCONTROLLER) << "setupTimer";
    addWrapper(new WorkerWrapper(new TimerWorker(Preset::make(*preset)), nullptr), preset);
}

void WorkerController::setupSchedule(const Preset::Ptr &preset)
{
    qCDebug(WORKERCONTROLLER) << "setupSchedule";
    addWrapper(new WorkerWrapper(new ScheduledWorker(Preset::make(*preset)), nullptr), preset);
}

void WorkerController::setupRange(const Preset::Ptr &preset)
{
    qCDebug(WORKERCONTROLLER) << "setupRange";
    addWrapper(new WorkerWrapper(new RangeWorker(Preset::make(*preset)), nullptr), preset);
}

void WorkerController::addWrapper(WorkerWrapper *wrapper, const Preset::Ptr &preset)
{
    connect(wrapper, &WorkerWrapper::updatePreset, this, [this](const Preset::Ptr &report) {
        m_reportInFlight = report.get();
        m_storage->updatePreset(report);
        m_reportInFlight = nullptr;
    });
    // The worker waits with an action that may end the session until its
    // reports are on disk (a fired countdown must not fire again after a
    // restart). Nothing blocks: the answer is queued back to the worker, and
    // when the wrapper is destroyed first, both the request and the answer are
    // dropped with it.
    connect(wrapper, &WorkerWrapper::saveRequested, this, [this, wrapper] {
        m_storage->sync();
        wrapper->confirmSaved();
    });
    if (preset->isRunning()) {
        wrapper->start();
    }
    m_wrappers.emplace_back(wrapper);
}

WorkerWrapper *WorkerController::findByText(const QString &uuid) const
{
    auto it = std::find_if(
        m_wrappers.begin(), m_wrappers.end(), [&uuid](const std::unique_ptr<WorkerWrapper> &wrapper) { return wrapper->uuid().toString() == uuid; });
    return it == m_wrappers.end() ? nullptr : it->get();
}
