// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>

class QAbstractListModel;
class QDBusServiceWatcher;
class ActionModel;
class PresetsModel;
class RuVelmoraShutdownSchedulerServicePresetControllerInterface;

// What the window sees as "backend": the two list models, whether the
// scheduler service is there, and the way to it. It mirrors the service's
// presets in the presets model, forwards the model's requests (save, remove,
// start, stop, pause) and feeds the service's change signals back.
class Backend : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *presetsModel READ presetsModel CONSTANT)
    Q_PROPERTY(QAbstractListModel *actionModel READ actionModel CONSTANT)
    Q_PROPERTY(bool hasConnection READ hasConnection NOTIFY hasConnectionChanged)
public:
    explicit Backend(QObject *parent = nullptr);

    QAbstractListModel *presetsModel() const;
    QAbstractListModel *actionModel() const;
    bool hasConnection() const { return m_hasConnection; }

    PresetsModel *presets() const { return m_presetsModel; }
    ActionModel *actions() const { return m_actionModel; }

    // Sets the connection flag from whether the service is on the bus now.
    void checkConnection();

Q_SIGNALS:
    void accepted();
    void rejected();
    void hasConnectionChanged();

public Q_SLOTS:
    void accept();
    void reject();
    void showHelp();

private Q_SLOTS:
    void setConnectedToDaemon(bool flag);
    void getPresets();

private:
    PresetsModel *m_presetsModel;
    ActionModel *m_actionModel;
    QDBusServiceWatcher *m_watcher;
    RuVelmoraShutdownSchedulerServicePresetControllerInterface *m_proxy;
    bool m_hasConnection = false;
};
