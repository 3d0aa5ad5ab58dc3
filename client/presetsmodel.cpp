// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetsmodel.h"

#include <QItemSelectionModel>
#include <QJsonDocument>

#include <algorithm>

PresetsModel::PresetsModel(QObject *parent) : QAbstractListModel(parent), m_selection(new QItemSelectionModel(this, this))
{
    connect(m_selection, &QItemSelectionModel::selectionChanged, this, &PresetsModel::changeSelection);
    connect(m_selection, &QItemSelectionModel::currentChanged, this, &PresetsModel::currentIndexChanged);
    connect(m_selection, &QItemSelectionModel::currentChanged, this, &PresetsModel::currentItemChanged);
}

int PresetsModel::rowCount(const QModelIndex &parent) const
{
    // A flat list: rows have no children of their own.
    return parent.isValid() ? 0 : static_cast<int>(m_presets.size());
}

QVariant PresetsModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0 || index.row() >= rowCount()) {
        return QVariant();
    }
    const Preset &preset = m_presets[static_cast<size_t>(index.row())];
    switch (role) {
    case IdRole:
        return preset.id().toString();
    case NameRole:
        return preset.title();
    case SelectedRole:
        return m_selection->isSelected(index);
    case ActionIconNameRole:
        return preset.action().iconName();
    case IsStartedRole:
        return preset.isRunning();
    case IsPausedRole:
        return preset.isPaused();
    }
    return QVariant();
}

QHash<int, QByteArray> PresetsModel::roleNames() const
{
    return {
        {IdRole, QByteArrayLiteral("id")},
        {NameRole, QByteArrayLiteral("name")},
        {SelectedRole, QByteArrayLiteral("selected")},
        {ActionIconNameRole, QByteArrayLiteral("actionIconName")},
        {IsStartedRole, QByteArrayLiteral("isStarted")},
        {IsPausedRole, QByteArrayLiteral("isPaused")},
    };
}

int PresetsModel::currentIndex() const
{
    return m_selection->currentIndex().row();
}

void PresetsModel::setCurrentIndex(int index)
{
    // A row outside the list gives an invalid index, which clears both the
    // selection and the current row.
    const QModelIndex modelIndex = this->index(index, 0);
    m_selection->select(modelIndex, QItemSelectionModel::ClearAndSelect);
    m_selection->setCurrentIndex(modelIndex, QItemSelectionModel::ClearAndSelect);
}

QJsonObject PresetsModel::currentItem() const
{
    const int row = currentIndex();
    if (row < 0 || row >= rowCount()) {
        return QJsonObject();
    }
    return m_presets[static_cast<size_t>(row)].toJsonObject();
}

void PresetsModel::createDefault(QJsonObject object)
{
    const bool wasEmpty = m_presets.empty();
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_presets.emplace_back(object);
    endInsertRows();
    if (wasEmpty) {
        select(0);
    }
}

void PresetsModel::savePreset(QJsonObject object)
{
    Q_EMIT updatePreset(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void PresetsModel::removeSelected()
{
    if (!m_selection->hasSelection()) {
        return;
    }
    QModelIndexList indexes = m_selection->selectedIndexes();
    std::sort(indexes.begin(), indexes.end());
    for (const QModelIndex &index : qAsConst(indexes)) {
        Q_EMIT removePreset(data(index, IdRole).toString());
    }
    m_selection->clear();
}

void PresetsModel::select(int index)
{
    setCurrentIndex(index);
}

void PresetsModel::selectAll()
{
    if (m_presets.empty()) {
        return;
    }
    if (!m_selection->hasSelection()) {
        m_selection->setCurrentIndex(index(0, 0), QItemSelectionModel::ClearAndSelect);
    }
    for (int row = 0; row < rowCount(); ++row) {
        m_selection->select(index(row, 0), QItemSelectionModel::Select);
    }
}

void PresetsModel::deselect()
{
    m_selection->clear();
}

void PresetsModel::onPresetUpdated(QString json)
{
    Preset preset(QJsonDocument::fromJson(json.toUtf8()).object());
    const auto found = std::find_if(m_presets.begin(), m_presets.end(), [&preset](const Preset &candidate) { return candidate.id() == preset.id(); });
    if (found == m_presets.end()) {
        const int row = rowCount();
        beginInsertRows(QModelIndex(), row, row);
        m_presets.push_back(std::move(preset));
        endInsertRows();
        return;
    }
    *found = std::move(preset);
    const int row = static_cast<int>(found - m_presets.begin());
    const QModelIndex changed = index(row, 0);
    Q_EMIT dataChanged(changed, changed);
    if (row == currentIndex()) {
        Q_EMIT currentItemChanged();
    }
}

void PresetsModel::onPresetRemoved(QString uuid)
{
    const auto found = std::find_if(m_presets.begin(), m_presets.end(), [&uuid](const Preset &candidate) { return candidate.id().toString() == uuid; });
    if (found == m_presets.end()) {
        return;
    }
    const int row = static_cast<int>(found - m_presets.begin());
    const QModelIndex removed = index(row, 0);
    const bool wasCurrent = m_selection->currentIndex() == removed;

    beginRemoveRows(QModelIndex(), row, row);
    m_presets.erase(found);
    endRemoveRows();

    // When the current preset goes, the selection model moves the current row
    // to a neighbour; the editor must not silently switch to another preset
    // in that case, so the row that took the removed one's place is left
    // neither current nor selected. Only the removal of the current preset
    // itself does this: a removal just above the current row also shifts the
    // current preset into the removed row's place, and that one stays current.
    if (wasCurrent && m_selection->currentIndex() == index(row, 0)) {
        m_selection->select(m_selection->currentIndex(), QItemSelectionModel::Deselect);
        m_selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void PresetsModel::reset(std::vector<Preset> presets)
{
    m_selection->clear();
    beginResetModel();
    m_presets = std::move(presets);
    endResetModel();
    if (!m_presets.empty()) {
        select(0);
    }
}

void PresetsModel::changeSelection(QItemSelection selected, QItemSelection deselected)
{
    const QVector<int> roles{SelectedRole};
    for (const QItemSelection *ranges : {&selected, &deselected}) {
        for (const QModelIndex &index : ranges->indexes()) {
            Q_EMIT dataChanged(index, index, roles);
        }
    }
}
