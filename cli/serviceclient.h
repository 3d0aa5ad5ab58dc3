// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "result.h"

#include <QObject>
#include <QVector>

class QDBusServiceWatcher;
class RuVelmoraShutdownSchedulerServicePresetControllerInterface;

// The scheduler service as the command line reaches it: blocking calls on
// the session bus, each waiting at most timeoutSeconds for the reply. The
// first call wakes the service by bus activation when it is not running. A
// call that gets no reply, or an error, fails with a message saying that the
// service is not reachable, and why.
//
// The service's change signals and its coming and going on the bus are
// relayed as signals of this object; they are delivered by the event loop,
// never during a blocking call.
class ServiceClient : public QObject
{
    Q_OBJECT
public:
    static constexpr int timeoutSeconds = 10;

    explicit ServiceClient(QObject *parent = nullptr);

    // getAll: the service's JSON array text as it is.
    Result<QString> allJson();
    // getAll, read into presets.
    Result<QVector<Preset>> presets();

    Result<bool> updatePreset(const QString &json);
    Result<bool> removePreset(const QString &id);
    Result<bool> start(const QString &id);
    Result<bool> pause(const QString &id);
    Result<bool> stop(const QString &id);
    // availableActions: the service's JSON array text as it is.
    Result<QString> availableActions();

Q_SIGNALS:
    void presetUpdated(const QString &json);
    void presetRemoved(const QString &id);
    void serviceRegistered();
    void serviceUnregistered();

private:
    RuVelmoraShutdownSchedulerServicePresetControllerInterface *m_proxy;
    QDBusServiceWatcher *m_watcher;
};
