// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionmodel.h"

#include "zeldbus.h"

#include <QHash>
#include <QString>

namespace
{
// The commands a desktop configuration may give for sleeping and hibernating
// ("StandbyCmd", "SuspendCmd" and "HibernateCmd" in its "Variables" section).
// No configuration file is connected, so every lookup finds nothing and the
// login manager's answers alone decide.
class VariablesConfig
{
public:
    QString value(const QString &section, const QString &key) const { return m_values.value(section.toLower() + QLatin1Char('/') + key.toLower()); }

private:
    QHash<QString, QString> m_values; // "section/key", both lower-case
};
} // namespace

ActionModel::ActionModel(QObject *parent) : QAbstractListModel(parent)
{
    const bool canSuspend = dbus_Logind_CanSuspend() > 0;
    const bool canHybridSleep = dbus_Logind_CanHybridSleep() > 0;
    const bool canHibernate = dbus_Logind_CanHibernate() > 0;

    const VariablesConfig config;
    const QString section = QStringLiteral("Variables");
    const QString standbyCmd = config.value(section, QStringLiteral("StandbyCmd"));
    const QString suspendCmd = config.value(section, QStringLiteral("SuspendCmd"));

    bool sleepEnabled;
    bool hibernationEnabled;
    if (!suspendCmd.isEmpty()) {
        sleepEnabled = true;
        hibernationEnabled = canHibernate;
    } else {
        const QString hibernateCmd = config.value(section, QStringLiteral("HibernateCmd"));
        sleepEnabled = !standbyCmd.isEmpty() || canSuspend || canHybridSleep;
        hibernationEnabled = (!hibernateCmd.isEmpty() && !canHybridSleep) || canHibernate;
    }

    m_actions = {
        Action(ActionType::Shutdown),
        Action(ActionType::Reboot),
        Action(ActionType::Sleep, sleepEnabled),
        Action(ActionType::Hibernation, hibernationEnabled),
        Action(ActionType::NewSession),
        Action(ActionType::NewSessionNewWindow),
        Action(ActionType::Lock),
        Action(ActionType::EndSession),
    };
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
    case NeedAdminRole:
        return false;
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
        {NeedAdminRole, QByteArrayLiteral("needAdmin")},
        {EnabledRole, QByteArrayLiteral("enabled")},
    };
}

QVariant ActionModel::getIcon(int row) const
{
    return data(index(row, 0), IconRole);
}

QVariant ActionModel::isNeedAdmin(int row) const
{
    return data(index(row, 0), NeedAdminRole);
}
