// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <memory>
#include <vector>

class Storage;
class WorkerWrapper;

// Keeps one worker per timed preset, following the store as presets come,
// change and go, and passes the bus commands start, pause and stop to them.
class WorkerController : public QObject
{
    Q_OBJECT
public:
    WorkerController(Storage *storage, QObject *parent);
    ~WorkerController() override;

public Q_SLOTS:
    void start(QString uuid);
    void pause(QString uuid);
    void stop(QString uuid);
    void onPresetAdded(Preset::Ptr preset);
    void onPresetUpdated(Preset::Ptr preset);
    void onPresetRemoved(QUuid uuid);

private:
    void setupTimer(const Preset::Ptr &preset);
    void setupSchedule(const Preset::Ptr &preset);
    void setupRange(const Preset::Ptr &preset);
    void addWrapper(WorkerWrapper *wrapper, const Preset::Ptr &preset);
    WorkerWrapper *findByText(const QString &uuid) const;

    Storage *m_storage;
    std::vector<std::unique_ptr<WorkerWrapper>> m_wrappers;
    // The report that the store is handling right now; its echo through
    // presetUpdated is not handed back to the worker that sent it.
    const Preset *m_reportInFlight = nullptr;
};
