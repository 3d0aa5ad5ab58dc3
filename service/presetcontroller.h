// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QString>

class Storage;
class WorkerController;

// The centre of the service: owns the store and the workers, serves the bus
// interface through its adaptor and relays every change of the store onto the
// bus. One per process, made on first use and never destroyed.
class PresetController : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "ru.velmora.shutdown.scheduler.service.PresetController")
public:
    static PresetController *instance();

    Storage *storage() const { return m_storage; }

Q_SIGNALS:
    Q_SCRIPTABLE void presetUpdated(QString preset);
    Q_SCRIPTABLE void presetRemoved(QString uuid);

public Q_SLOTS:
    Q_SCRIPTABLE QString getAll();

public:
    Q_SCRIPTABLE Q_INVOKABLE void removePreset(QString uuid);
    Q_SCRIPTABLE Q_INVOKABLE void updatePreset(QString json);
    Q_SCRIPTABLE Q_INVOKABLE void start(QString uuid);
    Q_SCRIPTABLE Q_INVOKABLE void pause(QString uuid);
    Q_SCRIPTABLE Q_INVOKABLE void stop(QString uuid);

private:
    explicit PresetController(QObject *parent = nullptr);

    Storage *m_storage;
    WorkerController *m_workerController;
};
