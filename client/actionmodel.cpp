// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionmodel.h"

#include "zeldbus.h"

#include <QHash>

namespace
{
// Rows of the two actions whose support depends on the machine.
constexpr int sleepRow = 2;
constexpr int hibernationRow = 3;
} // namespace

ActionModel::ActionModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_actions{
          Action(ActionType::Shutdown),
          Action(ActionType::Reboot),
          Action(ActionType::Sleep, false),
          Action(ActionType::Hibernation, false),
          Action(ActionType::NewSession),
          Action(ActionType::NewSessionNewWindow),
          Action(ActionType::Lock),
          Action(ActionType::EndSession),
      }
{
}

void ActionModel::askLoginManager()
{
    dbus_Logind_CanSuspendAsync(this, [this](int answer) {
        m_canSuspend = answer > 0;
        updateEnabled();
    });
    dbus_Logind_CanHybridSleepAsync(this, [this](int answer) {
        m_canHybridSleep = answer > 0;
        updateEnabled();
    });
    dbus_Logind_CanHibernateAsync(this, [this](int answer) {
        m_canHibernate = answer > 0;
        updateEnabled();
    });
}

void ActionModel::updateEnabled()
{
    const bool sleepEnabled = m_canSuspend || m_canHybridSleep;
    const bool hibernationEnabled = m_canHibernate;
    for (const auto &[row, enabled] : {std::pair<int, bool>{sleepRow, sleepEnabled}, {hibernationRow, hibernationEnabled}}) {
        if (m_actions[row].isEnabled() != enabled) {
            m_actions[row].setEnabled(enabled);
            const QModelIndex changed = index(row, 0);
            Q_EMIT dataChanged(changed, changed, {EnabledRole});
        }
    }
}

int ActionModel::rowCount(const QModelIndex &parent) const
{
    // A flat list: rows have no children of their own.
    return parent.isValid() ? 0 : m_actions.size();
}

QVariant ActionModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0 || index.row() >= m_actions.size()) {
        return QVariant();
    }
    const Action &action = m_actions.at(index.row());
    switch (role) {
    case TypeRole:
        return action.type();
    case NameRole:
        return action.displayName();
    case IconRole:
        return action.iconName();
    case EnabledRole:
        return action.isEnabled();
    }
    return QVariant();
}

QHash<int, QByteArray> ActionModel::roleNames() const
{
    return {
        {TypeRole, QByteArrayLiteral("type")},
        {NameRole, QByteArrayLiteral("name")},
        {IconRole, QByteArrayLiteral("icon")},
        {EnabledRole, QByteArrayLiteral("enabled")},
    };
}

QVariant ActionModel::getIcon(int row) const
{
    return data(index(row, 0), IconRole);
}
