// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// A stand-in for the client's backend in the QML tests, with the client's
// real presets and action models. The service is played by the test: it
// sets the service state, hands the model lists and reports as the service
// would, and reads what the window asked for. Nothing here talks to a bus:
// every action is offered until the test hands in what the service would
// say is available (setAvailability).

#include <QAbstractListModel>
#include <QJsonObject>
#include <QStringList>

class ActionModel;
class PresetsModel;

class FakeBackend : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *presetsModel READ presetsModel CONSTANT)
    Q_PROPERTY(QAbstractListModel *actionModel READ actionModel CONSTANT)
    Q_PROPERTY(bool hasConnection MEMBER m_hasConnection NOTIFY hasConnectionChanged)
    Q_PROPERTY(int serviceState MEMBER m_serviceState NOTIFY serviceStateChanged)
    Q_PROPERTY(QString serviceError MEMBER m_serviceError NOTIFY serviceStateChanged)
    Q_PROPERTY(int pendingRequests MEMBER m_pendingRequests NOTIFY pendingRequestsChanged)
    // What showHelp() answers.
    Q_PROPERTY(bool helpWorks MEMBER m_helpWorks)
    // What helpText() answers: no page unless the test gives one.
    Q_PROPERTY(QString helpPage MEMBER m_helpPage)
    // What the window asked for, in order: "save", "remove:<id>",
    // "start:<id>", "pause:<id>", "stop:<id>", "help", "startService",
    // "reload".
    Q_PROPERTY(QStringList requests MEMBER m_requests NOTIFY requestsChanged)
    Q_PROPERTY(QJsonObject lastSaved MEMBER m_lastSaved NOTIFY requestsChanged)

public:
    explicit FakeBackend(QObject *parent = nullptr);

    QAbstractListModel *presetsModel() const;
    QAbstractListModel *actionModel() const;

    // The service's side.
    Q_INVOKABLE void setPresets(const QVariantList &presets);
    Q_INVOKABLE void report(const QJsonObject &preset);
    Q_INVOKABLE void reportRemoved(const QString &id);
    // The entries of an availableActions answer.
    Q_INVOKABLE void setAvailability(const QVariantList &entries);
    Q_INVOKABLE void failRequest(const QString &message) { Q_EMIT requestFailed(message); }
    Q_INVOKABLE bool isSelected(int row) const;
    Q_INVOKABLE void clearRequests();

Q_SIGNALS:
    void accepted();
    void rejected();
    void hasConnectionChanged();
    void serviceStateChanged();
    void pendingRequestsChanged();
    void requestFailed(const QString &message);
    void requestsChanged();

public Q_SLOTS:
    void accept() { Q_EMIT accepted(); }
    void reject() { Q_EMIT rejected(); }
    bool showHelp();
    QString helpText() const;
    void startService() { record(QStringLiteral("startService")); }
    void reload() { record(QStringLiteral("reload")); }

private:
    void record(const QString &request);

    PresetsModel *m_presets;
    ActionModel *m_actions;
    bool m_hasConnection = true;
    int m_serviceState;
    QString m_serviceError;
    int m_pendingRequests = 0;
    bool m_helpWorks = true;
    QString m_helpPage;
    QStringList m_requests;
    QJsonObject m_lastSaved;
};
