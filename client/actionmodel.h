// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "action.h"

#include <QAbstractListModel>
#include <QVariantMap>
#include <QVector>

// The actions a user can choose for a preset, with their names, icons and
// whether this desktop can carry them out. The list is fixed. What is
// available is the scheduler service's word (its availableActions answer,
// handed in with takeAvailability()): the service is the one that acts, so
// it alone knows its routes. Until it has answered every action is offered,
// as nothing is known to be unavailable; the model asks nobody by itself.
// Turn On, last, is offered for schedules only: with another kind chosen
// (kind) its row is disabled and says so.
class ActionModel : public QAbstractListModel
{
    Q_OBJECT
    // Per action type (as text), the warning an editor shows for a preset
    // whose action is not available; absent for available actions.
    Q_PROPERTY(QVariantMap problems READ problems NOTIFY availabilityChanged)
    // The kind of preset being edited (PresetType); -1, the start, offers
    // every action.
    Q_PROPERTY(int kind READ kind WRITE setKind NOTIFY kindChanged)
public:
    enum Role {
        TypeRole = Qt::UserRole + 1, // 257
        NameRole,
        IconRole,
        EnabledRole,
        ReasonRole, // why the action is not available, or empty
        HintRole, // a note on an available action ("asks for a password")
    };

    explicit ActionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE QVariant getIcon(int row) const;

    QVariantMap problems() const;
    int kind() const { return m_kind; }
    void setKind(int kind);

    // Takes the service's availableActions answer (a JSON array). An answer
    // that cannot be read changes nothing; an action it does not mention
    // is offered.
    void takeAvailability(const QString &json);

Q_SIGNALS:
    void availabilityChanged();
    void kindChanged();

private:
    struct Row
    {
        Action action;
        QString reason;
        QString hint;
    };

    // Whether the row can be chosen for the kind edited, and why not.
    bool isOffered(const Row &row) const;
    QString reasonFor(const Row &row) const;

    QVector<Row> m_rows;
    int m_kind = -1;
};
