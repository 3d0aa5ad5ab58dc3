#include "workercontroller.h"

#include "storage.h"

WorkerController::WorkerController(Storage *storage, QObject *parent)
    : QObject(parent)
    , m_storage(storage)
{
    connect(m_storage, &Storage::presetAdded, this, &WorkerController::onPresetAdded);
    connect(m_storage, &Storage::presetUpdated, this, &WorkerController::onPresetUpdated);
    connect(m_storage, &Storage::presetRemoved, this, &WorkerController::onPresetRemoved);
}

void WorkerController::start(QString)
{
}

void WorkerController::pause(QString)
{
}

void WorkerController::stop(QString)
{
}

void WorkerController::onPresetAdded(Preset::Ptr)
{
}

void WorkerController::onPresetUpdated(Preset::Ptr)
{
}

void WorkerController::onPresetRemoved(QUuid)
{
}
