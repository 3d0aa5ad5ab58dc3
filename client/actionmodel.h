// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "action.h"

#include <QAbstractListModel>
#include <QVector>

// The actions a user can choose for a preset, with their names, icons and
// whether this machine supports them. The list is fixed; Sleep and
// Hibernation stay disabled until the login manager has said that the
// machine can suspend, hybrid-sleep or hibernate. The model asks nobody by
// itself: askLoginManager() sends the questions without waiting, and each
// answer that arrives updates the enabled flags.
class ActionModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        TypeRole = Qt::UserRole + 1, // 257
        NameRole,
        IconRole,
        EnabledRole,
    };

    explicit ActionModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE QVariant getIcon(int row) const;

    // Asks the login manager what the machine can do; returns at once.
    void askLoginManager();

private:
    void updateEnabled();

    QVector<Action> m_actions;
    bool m_canSuspend = false;
    bool m_canHybridSleep = false;
    bool m_canHibernate = false;
};
