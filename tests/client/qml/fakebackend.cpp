// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fakebackend.h"

#include "enumerations.h"
#include "preset.h"

#include <QJsonDocument>

#include <algorithm>

FakePresetsModel::FakePresetsModel(QObject *parent) : QAbstractListModel(parent)
{
    // The run requests are signals that the window emits itself.
    connect(this, &FakePresetsModel::start, this, [this](const QString &uuid) { record(QStringLiteral("start:") + uuid); });
    connect(this, &FakePresetsModel::pause, this, [this](const QString &uuid) { record(QStringLiteral("pause:") + uuid); });
    connect(this, &FakePresetsModel::stop, this, [this](const QString &uuid) { record(QStringLiteral("stop:") + uuid); });
}

// Rows hold what the client's own reader makes of an object: every key,
// with defaults for the missing ones.
static QJsonObject complete(const QJsonObject &object)
{
    return Preset(object).toJsonObject();
}

int FakePresetsModel::rowCount(const QModelIndex &) const
{
    return m_presets.size();
}

QVariant FakePresetsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_presets.size()) {
        return QVariant();
    }
    const QJsonObject &preset = m_presets.at(index.row());
    switch (role) {
    case IdRole:
        return preset.value(QStringLiteral("preset_id")).toString();
    case NameRole:
        return preset.value(QStringLiteral("preset_name")).toString();
    case SelectedRole:
        return m_selected.contains(index.row());
    case ActionIconNameRole:
        return ActionType::iconName(preset.value(QStringLiteral("action_type")).toInt());
    case IsStartedRole:
        return preset.value(QStringLiteral("preset_running")).toBool();
    case IsPausedRole:
        return preset.value(QStringLiteral("preset_paused")).toBool();
    }
    return QVariant();
}

QHash<int, QByteArray> FakePresetsModel::roleNames() const
{
    return {
        {IdRole, "id"},
        {NameRole, "name"},
        {SelectedRole, "selected"},
        {ActionIconNameRole, "actionIconName"},
        {IsStartedRole, "isStarted"},
        {IsPausedRole, "isPaused"},
    };
}

void FakePresetsModel::setPresets(const QVariantList &presets)
{
    beginResetModel();
    m_presets.clear();
    for (const QVariant &preset : presets) {
        m_presets.append(complete(QJsonObject::fromVariantMap(preset.toMap())));
    }
    m_selected.clear();
    m_current = -1;
    endResetModel();
    Q_EMIT currentIndexChanged();
    Q_EMIT currentItemChanged();
    if (!m_presets.isEmpty()) {
        select(0);
    }
}

void FakePresetsModel::setPreset(int row, const QJsonObject &preset)
{
    if (row < 0 || row >= m_presets.size()) {
        return;
    }
    m_presets[row] = complete(preset);
    Q_EMIT dataChanged(index(row, 0), index(row, 0));
    if (row == m_current) {
        Q_EMIT currentItemChanged();
    }
}

void FakePresetsModel::clearRequests()
{
    m_requests.clear();
    m_lastSaved = QJsonObject();
    Q_EMIT requestsChanged();
}

void FakePresetsModel::setCurrentIndex(int index)
{
    const int current = index >= 0 && index < m_presets.size() ? index : -1;
    changeSelection(current >= 0 ? QSet<int>{current} : QSet<int>());
    if (current != m_current) {
        m_current = current;
        Q_EMIT currentIndexChanged();
        Q_EMIT currentItemChanged();
    }
}

QJsonObject FakePresetsModel::currentItem() const
{
    return m_current >= 0 && m_current < m_presets.size() ? m_presets.at(m_current) : QJsonObject();
}

void FakePresetsModel::createDefault(const QJsonObject &object)
{
    const bool wasEmpty = m_presets.isEmpty();
    beginInsertRows(QModelIndex(), m_presets.size(), m_presets.size());
    m_presets.append(complete(object));
    endInsertRows();
    if (wasEmpty) {
        select(0);
    }
}

void FakePresetsModel::savePreset(const QJsonObject &object)
{
    m_lastSaved = object;
    Q_EMIT updatePreset(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    record(QStringLiteral("save"));
}

void FakePresetsModel::removeSelected()
{
    QList<int> rows = m_selected.values();
    std::sort(rows.begin(), rows.end());
    for (int row : rows) {
        const QString id = m_presets.at(row).value(QStringLiteral("preset_id")).toString();
        Q_EMIT removePreset(id);
        record(QStringLiteral("remove:") + id);
    }
    deselect();
}

void FakePresetsModel::selectAll()
{
    if (m_presets.isEmpty()) {
        return;
    }
    if (m_selected.isEmpty()) {
        setCurrentIndex(0);
    }
    QSet<int> all;
    for (int row = 0; row < m_presets.size(); ++row) {
        all.insert(row);
    }
    changeSelection(all);
}

void FakePresetsModel::deselect()
{
    changeSelection({});
    if (m_current != -1) {
        m_current = -1;
        Q_EMIT currentIndexChanged();
        Q_EMIT currentItemChanged();
    }
}

void FakePresetsModel::record(const QString &request)
{
    m_requests.append(request);
    Q_EMIT requestsChanged();
}

void FakePresetsModel::changeSelection(const QSet<int> &selected)
{
    const QSet<int> changed = (selected - m_selected) + (m_selected - selected);
    m_selected = selected;
    for (int row : changed) {
        Q_EMIT dataChanged(index(row, 0), index(row, 0), {SelectedRole});
    }
}

FakeActionModel::FakeActionModel(QObject *parent) : QAbstractListModel(parent)
{
    for (int type = ActionType::Shutdown; type <= ActionType::EndSession; ++type) {
        m_actions.append({type, true});
    }
}

int FakeActionModel::rowCount(const QModelIndex &) const
{
    return m_actions.size();
}

QVariant FakeActionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_actions.size()) {
        return QVariant();
    }
    const auto &action = m_actions.at(index.row());
    switch (role) {
    case TypeRole:
        return action.first;
    case NameRole:
        return ActionType::displayName(action.first);
    case IconRole:
        return ActionType::iconName(action.first);
    case NeedAdminRole:
        return false;
    case EnabledRole:
        return action.second;
    }
    return QVariant();
}

QHash<int, QByteArray> FakeActionModel::roleNames() const
{
    return {
        {TypeRole, "type"},
        {NameRole, "name"},
        {IconRole, "icon"},
        {NeedAdminRole, "needAdmin"},
        {EnabledRole, "enabled"},
    };
}

void FakeActionModel::setRowEnabled(int row, bool enabled)
{
    if (row < 0 || row >= m_actions.size()) {
        return;
    }
    m_actions[row].second = enabled;
    Q_EMIT dataChanged(index(row, 0), index(row, 0), {EnabledRole});
}

FakeBackend::FakeBackend(QObject *parent) : QObject(parent), m_presets(new FakePresetsModel(this)), m_actions(new FakeActionModel(this)) { }

void FakeBackend::setHasConnection(bool flag)
{
    if (flag != m_hasConnection) {
        m_hasConnection = flag;
        Q_EMIT hasConnectionChanged();
    }
}

void FakeBackend::showHelp()
{
    ++m_helpCount;
    Q_EMIT helpCountChanged();
}
