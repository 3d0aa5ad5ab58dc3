// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionmodel.h"

#include "presetrules.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
// The reason in the window's own words (and language) where the answer's
// fields say it; the service's own text otherwise.
QString reasonText(const QJsonObject &entry)
{
    const QString route = entry.value(QLatin1String("route")).toString();
    const QString can = entry.value(QLatin1String("can")).toString();
    const QString grant = entry.value(QLatin1String("grant")).toString();
    if (!grant.isEmpty()) {
        return PresetRules::noWakeRight(grant);
    }
    if (route.isEmpty()) {
        return ActionModel::tr("not available on this desktop");
    }
    if (can == QLatin1String("no")) {
        return ActionModel::tr("%1 does not allow it", "%1 is the program that would do it, e.g. logind").arg(route);
    }
    if (can == QLatin1String("na")) {
        return ActionModel::tr("this machine cannot do it");
    }
    const QString reason = entry.value(QLatin1String("reason")).toString();
    return reason.isEmpty() ? ActionModel::tr("not available on this desktop") : reason;
}
} // namespace

ActionModel::ActionModel(QObject *parent) : QAbstractListModel(parent)
{
    for (qint32 type : {ActionType::Shutdown,
             ActionType::Reboot,
             ActionType::Sleep,
             ActionType::Hibernation,
             ActionType::NewSession,
             ActionType::NewSessionNewWindow,
             ActionType::Lock,
             ActionType::EndSession,
             ActionType::TurnOn}) {
        m_rows.append({Action(type), QString(), QString()});
    }
}

void ActionModel::takeAvailability(const QString &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isArray()) {
        return;
    }
    QHash<qint32, QJsonObject> entries;
    for (const QJsonValue &value : document.array()) {
        const QJsonObject entry = value.toObject();
        entries.insert(entry.value(QLatin1String("action_type")).toInt(-2), entry);
    }
    bool changedAny = false;
    for (int row = 0; row < m_rows.size(); ++row) {
        Row &current = m_rows[row];
        const QJsonObject entry = entries.value(current.action.type());
        const bool available = entry.value(QLatin1String("available")).toBool(true);
        const QString reason = available ? QString() : reasonText(entry);
        const QString hint = available && entry.value(QLatin1String("can")).toString() == QLatin1String("challenge") ? tr("asks for a password") : QString();
        if (current.action.isEnabled() == available && current.reason == reason && current.hint == hint) {
            continue;
        }
        current.action.setEnabled(available);
        current.reason = reason;
        current.hint = hint;
        changedAny = true;
        const QModelIndex changed = index(row, 0);
        Q_EMIT dataChanged(changed, changed, {EnabledRole, ReasonRole, HintRole});
    }
    if (changedAny) {
        Q_EMIT availabilityChanged();
    }
}

void ActionModel::setKind(int kind)
{
    if (kind == m_kind) {
        return;
    }
    m_kind = kind;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).action.type() == ActionType::TurnOn) {
            const QModelIndex changed = index(row, 0);
            Q_EMIT dataChanged(changed, changed, {EnabledRole, ReasonRole});
        }
    }
    Q_EMIT kindChanged();
}

bool ActionModel::isOffered(const Row &row) const
{
    return row.action.isEnabled() && (row.action.type() != ActionType::TurnOn || m_kind < 0 || m_kind == PresetType::Scheduled);
}

QString ActionModel::reasonFor(const Row &row) const
{
    if (!row.action.isEnabled() || isOffered(row)) {
        return row.reason;
    }
    return tr("needs a date and time: choose Schedule");
}

QVariantMap ActionModel::problems() const
{
    QVariantMap result;
    for (const Row &row : m_rows) {
        if (!row.action.isEnabled()) {
            result.insert(QString::number(row.action.type()),
                tr("%1 cannot be carried out here: %2", "%1 is an action, %2 why").arg(row.action.displayName(), row.reason));
        }
    }
    return result;
}

int ActionModel::rowCount(const QModelIndex &parent) const
{
    // A flat list: rows have no children of their own.
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant ActionModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0 || index.row() >= m_rows.size()) {
        return QVariant();
    }
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case TypeRole:
        return row.action.type();
    case NameRole:
        return row.action.displayName();
    case IconRole:
        return row.action.iconName();
    case EnabledRole:
        return isOffered(row);
    case ReasonRole:
        return reasonFor(row);
    case HintRole:
        return row.hint;
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
        {ReasonRole, QByteArrayLiteral("reason")},
        {HintRole, QByteArrayLiteral("hint")},
    };
}

QVariant ActionModel::getIcon(int row) const
{
    return data(index(row, 0), IconRole);
}
