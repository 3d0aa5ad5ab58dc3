// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

#include <functional>

class ClientWatcher;
class Storage;
class WorkerController;

// The centre of the service: owns the store and the workers, serves the bus
// interface through its adaptor and relays every change of the store onto the
// bus. One per process, made on first use and never destroyed.
//
// Every change made through the bus is on disk before its reply leaves:
// updatePreset and removePreset write before they return; start, pause and
// stop are answered (delayed reply) once the worker has carried the command
// out and its reports are written. The signals a call causes leave before its
// reply.
//
// The service must never run without its bus: when the connection to the
// session bus drops or one of its names is lost, busLost() is emitted (a
// second instance may already be on its way) and the service ends.
class PresetController : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "ru.velmora.shutdown.scheduler.service.PresetController")
public:
    static PresetController *instance();

    Storage *storage() const { return m_storage; }
    // Whether the object and the bus name were registered.
    bool isOnBus() const { return m_onBus; }

    // Ends every worker, which drops the actions that wait (for the user in
    // a password dialog, say), and writes what is pending. Only the first
    // call does anything.
    void shutdown();

Q_SIGNALS:
    void presetUpdated(QString preset);
    void presetRemoved(QString uuid);
    void busLost();

public Q_SLOTS:
    QString getAll();

public:
    Q_INVOKABLE void removePreset(QString uuid);
    Q_INVOKABLE void updatePreset(QString json);
    Q_INVOKABLE void start(QString uuid);
    Q_INVOKABLE void pause(QString uuid);
    Q_INVOKABLE void stop(QString uuid);
    // As the warning's "Postpone" choice (delayed reply, like stop).
    Q_INVOKABLE void postpone(QString uuid);
    // What this desktop can do: the JSON array of ActionAvailability, sent
    // once the desktop has been asked (delayed reply). Changes nothing.
    Q_INVOKABLE QString availableActions();

private Q_SLOTS:
    void onDisconnected();
    void onNameLost(const QString &name);

private:
    explicit PresetController(QObject *parent = nullptr);
    // The reply to the bus call in progress, to be sent later; nothing for a
    // call that did not come from the bus.
    std::function<void()> replyLater();
    // The bus call in progress comes from a client: it joins the clients.
    void noteCaller();

    Storage *m_storage;
    WorkerController *m_workerController;
    ClientWatcher *m_clients;
    bool m_onBus = false;
    bool m_shutDown = false;
};
