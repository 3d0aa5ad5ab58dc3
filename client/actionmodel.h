// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "action.h"

#include <QAbstractListModel>
#include <QVector>

// The actions a user can choose for a preset, with their names, icons and
// whether this machine supports them. Built once, when the model is made: the
// login manager is asked then whether the machine can suspend, hybrid-sleep or
// hibernate, and the list never changes afterwards.
class ActionModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        TypeRole = Qt::UserRole + 1, // 257
        NameRole,
        IconRole,
        NeedAdminRole,
        EnabledRole,
    };

    explicit ActionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE QVariant getIcon(int row) const;
    Q_INVOKABLE QVariant isNeedAdmin(int row) const;

private:
    QVector<Action> m_actions;
};
