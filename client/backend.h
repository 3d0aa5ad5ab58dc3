// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QVector>

class QAbstractListModel;
class QDBusPendingCall;
class QDBusServiceWatcher;
class ActionModel;
class PresetsModel;
class RuVelmoraShutdownSchedulerServicePresetControllerInterface;

// What the window sees as "backend": the two list models, what the scheduler
// service is doing, and the way to it. It mirrors the service's presets in
// the presets model, forwards the model's requests (save, remove, start,
// stop, pause) and feeds the service's change signals back.
//
// No call waits for the service: every call is made
// asynchronously on the GUI thread, and its answer is taken when it comes.
// The only blocking exchanges left are Qt's own with the bus daemon (which
// always answers at once) while the connection and the proxy are set up.
class Backend : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *presetsModel READ presetsModel CONSTANT)
    Q_PROPERTY(QAbstractListModel *actionModel READ actionModel CONSTANT)
    Q_PROPERTY(bool hasConnection READ hasConnection NOTIFY hasConnectionChanged)
    Q_PROPERTY(ServiceState serviceState READ serviceState NOTIFY serviceStateChanged)
    // The bus's error text of the last failed start or fetch.
    Q_PROPERTY(QString serviceError READ serviceError NOTIFY serviceStateChanged)
    // Requests sent to the service whose answer has not come yet.
    Q_PROPERTY(int pendingRequests READ pendingRequests NOTIFY pendingRequestsChanged)
public:
    enum ServiceState {
        NotRunning, // nobody owns the service's name
        Starting, // the bus is asked to start it
        Loading, // the list of presets is asked for
        Ready, // the list is shown as the service sent it
        NotAnswering, // the service owns its name but did not send the list
    };
    Q_ENUM(ServiceState)

    explicit Backend(QObject *parent = nullptr);

    QAbstractListModel *presetsModel() const;
    QAbstractListModel *actionModel() const;
    bool hasConnection() const { return m_hasConnection; }
    ServiceState serviceState() const { return m_state; }
    QString serviceError() const { return m_serviceError; }
    int pendingRequests() const { return m_pendingRequests; }

    PresetsModel *presets() const { return m_presetsModel; }
    ActionModel *actions() const { return m_actionModel; }

    // Starts the exchange with the desktop: the service is started if it is
    // not running. Once it runs, it is asked for the presets and for what
    // this desktop can do. Returns at once.
    void connectToService();

Q_SIGNALS:
    void accepted();
    void rejected();
    void hasConnectionChanged();
    void serviceStateChanged();
    void pendingRequestsChanged();
    // A request was refused or not answered in time.
    void requestFailed(const QString &message);

public Q_SLOTS:
    void accept();
    void reject();
    // Opens the help; false when it could not be handed to a viewer.
    bool showHelp();
    // The help's start page as HTML, shown in the window; empty when it is
    // not installed.
    QString helpText() const;
    // Asks the session bus to start the service (bus activation).
    void startService();
    // Asks the service for the whole list again.
    void reload();

private:
    void setConnectedToDaemon(bool flag);
    void setState(ServiceState state, const QString &error = QString());
    void getPresets();
    void askAvailability();
    void track(const QDBusPendingCall &call);
    void onPresetUpdated(const QString &json);
    void onPresetRemoved(const QString &uuid);

    // A change the service announced while the list was being fetched.
    struct Announcement
    {
        bool removed;
        QString text;
    };

    PresetsModel *m_presetsModel;
    ActionModel *m_actionModel;
    QDBusServiceWatcher *m_watcher;
    RuVelmoraShutdownSchedulerServicePresetControllerInterface *m_proxy;
    bool m_hasConnection = false;
    ServiceState m_state = NotRunning;
    QString m_serviceError;
    int m_pendingRequests = 0;
    int m_fetch = 0; // counts fetches; only the answer to the latest counts
    bool m_fetching = false;
    int m_availabilityAsk = 0; // only the answer to the latest question counts
    QVector<Announcement> m_announced;
};
