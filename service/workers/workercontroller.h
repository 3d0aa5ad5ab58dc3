#pragma once

#include "preset.h"

#include <QObject>
#include <QString>
#include <QUuid>

class Storage;

// Keeps one worker per timed preset and passes the bus commands to them.
// This first cut only follows the store; it runs no worker yet.
class WorkerController : public QObject
{
    Q_OBJECT
public:
    WorkerController(Storage *storage, QObject *parent);

public Q_SLOTS:
    void start(QString uuid);
    void pause(QString uuid);
    void stop(QString uuid);
    void onPresetAdded(Preset::Ptr preset);
    void onPresetUpdated(Preset::Ptr preset);
    void onPresetRemoved(QUuid uuid);

private:
    Storage *m_storage;
};
