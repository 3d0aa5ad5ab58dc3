// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// A stand-in for the client's backend in the QML tests: the two models with
// the members the window uses, plus a few helpers through which a test sets
// rows and reads what the window asked for. Nothing here talks to a bus.

#include <QAbstractListModel>
#include <QJsonObject>
#include <QSet>
#include <QStringList>
#include <QVector>

class FakePresetsModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(QJsonObject currentItem READ currentItem NOTIFY currentItemChanged)
    // What the window asked for, in order: "save", "remove:<id>",
    // "start:<id>", "pause:<id>", "stop:<id>".
    Q_PROPERTY(QStringList requests READ requests NOTIFY requestsChanged)
    Q_PROPERTY(QJsonObject lastSaved READ lastSaved NOTIFY requestsChanged)

public:
    enum Roles {
        IdRole = Qt::UserRole + 1,
        NameRole,
        SelectedRole,
        ActionIconNameRole,
        IsStartedRole,
        IsPausedRole,
    };

    explicit FakePresetsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QStringList requests() const { return m_requests; }
    QJsonObject lastSaved() const { return m_lastSaved; }

    // Test helpers.
    Q_INVOKABLE void setPresets(const QVariantList &presets);
    Q_INVOKABLE void setPreset(int row, const QJsonObject &preset);
    Q_INVOKABLE bool isSelected(int row) const { return m_selected.contains(row); }
    Q_INVOKABLE void clearRequests();

Q_SIGNALS:
    void currentIndexChanged();
    void currentItemChanged();
    void updatePreset(const QString &preset);
    void removePreset(const QString &uuid);
    void start(const QString &uuid);
    void stop(const QString &uuid);
    void pause(const QString &uuid);
    void requestsChanged();

public Q_SLOTS:
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);
    QJsonObject currentItem() const;
    void createDefault(const QJsonObject &object);
    void savePreset(const QJsonObject &object);
    void removeSelected();
    void select(int index) { setCurrentIndex(index); }
    void selectAll();
    void deselect();

private:
    void record(const QString &request);
    void changeSelection(const QSet<int> &selected);

    QVector<QJsonObject> m_presets;
    QSet<int> m_selected;
    int m_current = -1;
    QStringList m_requests;
    QJsonObject m_lastSaved;
};

class FakeActionModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        TypeRole = Qt::UserRole + 1,
        NameRole,
        IconRole,
        NeedAdminRole,
        EnabledRole,
    };

    explicit FakeActionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE QVariant getIcon(int row) const { return data(index(row, 0), IconRole); }
    Q_INVOKABLE QVariant isNeedAdmin(int row) const { return data(index(row, 0), NeedAdminRole); }
    Q_INVOKABLE void setRowEnabled(int row, bool enabled);

private:
    QVector<QPair<int, bool>> m_actions;
};

class FakeBackend : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QAbstractListModel *presetsModel READ presetsModel CONSTANT)
    Q_PROPERTY(QAbstractListModel *actionModel READ actionModel CONSTANT)
    Q_PROPERTY(bool hasConnection READ hasConnection WRITE setHasConnection NOTIFY hasConnectionChanged)
    Q_PROPERTY(int helpCount READ helpCount NOTIFY helpCountChanged)

public:
    explicit FakeBackend(QObject *parent = nullptr);

    QAbstractListModel *presetsModel() const { return m_presets; }
    QAbstractListModel *actionModel() const { return m_actions; }
    bool hasConnection() const { return m_hasConnection; }
    void setHasConnection(bool flag);
    int helpCount() const { return m_helpCount; }

Q_SIGNALS:
    void accepted();
    void rejected();
    void hasConnectionChanged();
    void helpCountChanged();

public Q_SLOTS:
    void accept() { Q_EMIT accepted(); }
    void reject() { Q_EMIT rejected(); }
    void showHelp();

private:
    FakePresetsModel *m_presets;
    FakeActionModel *m_actions;
    bool m_hasConnection = true;
    int m_helpCount = 0;
};
