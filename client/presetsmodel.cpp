// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetsmodel.h"

#include "rowtext.h"

#include <QItemSelectionModel>
#include <QJsonDocument>

#include <algorithm>
#include <tuple>

PresetsModel::PresetsModel(QObject *parent)
    : QAbstractListModel(parent), m_selection(new QItemSelectionModel(this, this)), m_actionNames(RowText::actionNames()), m_clock(&QDateTime::currentDateTime)
{
    connect(m_selection, &QItemSelectionModel::selectionChanged, this, &PresetsModel::changeSelection);
    connect(m_selection, &QItemSelectionModel::currentChanged, this, &PresetsModel::currentIndexChanged);
    connect(m_selection, &QItemSelectionModel::currentChanged, this, &PresetsModel::currentItemChanged);
}

int PresetsModel::rowCount(const QModelIndex &parent) const
{
    // A flat list: rows have no children of their own.
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant PresetsModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0 || index.row() >= rowCount()) {
        return QVariant();
    }
    const Row &row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case IdRole:
        return row.preset.id().toString();
    case NameRole:
        return RowText::title(row.preset, isCustomName(row));
    case SelectedRole:
        return m_selection->isSelected(index);
    case ActionIconNameRole:
        return row.preset.action().iconName();
    case IsStartedRole:
        return row.preset.isRunning();
    case IsPausedRole:
        return row.preset.isPaused();
    case IsStoredRole:
        return row.stored;
    case StatusRole:
        return RowText::status(row.preset, row.stored, row.countdownEnd, m_clock());
    case DescriptionRole:
        return RowText::sentence(row.preset, isCustomName(row), row.stored, m_clock());
    case FollowsClockRole:
        return RowText::followsClock(row.preset);
    case IsManagedRole:
        return row.preset.managed().has_value();
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
        {IsStoredRole, QByteArrayLiteral("isStored")},
        {StatusRole, QByteArrayLiteral("status")},
        {DescriptionRole, QByteArrayLiteral("description")},
        {FollowsClockRole, QByteArrayLiteral("followsClock")},
        {IsManagedRole, QByteArrayLiteral("isManaged")},
    };
}

bool PresetsModel::sameSettings(const QJsonObject &first, const QJsonObject &second)
{
    const auto settings = [](const Preset &p) {
        const RepeatSettings &repeat = p.schedule().repeat;
        return std::make_tuple(p.name(),
            p.presetType(),
            p.actionType(),
            p.timer().timeout,
            p.timer().notify,
            p.schedule().start,
            p.schedule().end,
            p.schedule().notify,
            repeat.type,
            repeat.customType,
            repeat.count,
            repeat.selected,
            p.interval().start,
            p.interval().end,
            p.interval().regularity);
    };
    return settings(Preset(first)) == settings(Preset(second));
}

QStringList PresetsModel::selectedNames() const
{
    QStringList names;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_selection->isRowSelected(row, QModelIndex()) && !m_rows[static_cast<size_t>(row)].preset.managed()) {
            names << data(index(row, 0), NameRole).toString();
        }
    }
    return names;
}

bool PresetsModel::isCustomName(const QString &name) const
{
    return RowText::isCustomName(name, m_actionNames);
}

bool PresetsModel::isCustomName(const Row &row) const
{
    return isCustomName(row.preset.name());
}

void PresetsModel::updateClockTexts()
{
    for (int row = 0; row < rowCount(); ++row) {
        if (RowText::followsClock(m_rows[static_cast<size_t>(row)].preset)) {
            const QModelIndex changed = index(row, 0);
            Q_EMIT dataChanged(changed, changed, {StatusRole, DescriptionRole});
        }
    }
}

void PresetsModel::setClock(std::function<QDateTime()> clock)
{
    m_clock = std::move(clock);
}

PresetsModel::Row PresetsModel::makeRow(Preset preset, bool stored, const Row *previous) const
{
    Row row{std::move(preset), stored, QDateTime()};
    row.countdownEnd = RowText::countdownEnd(row.preset, previous ? previous->countdownEnd : QDateTime(), m_clock());
    return row;
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
    return m_rows[static_cast<size_t>(row)].preset.toJsonObject();
}

void PresetsModel::createDefault(QJsonObject object)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(makeRow(Preset(object), false));
    endInsertRows();
    select(row);
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
    m_selection->clear();
    // The service has never heard of drafts: they go here, bottom up so
    // that the rows above keep their numbers.
    std::vector<int> drafts;
    for (const QModelIndex &index : qAsConst(indexes)) {
        const Row &row = m_rows[static_cast<size_t>(index.row())];
        if (row.preset.managed()) {
            continue;
        }
        if (row.stored) {
            Q_EMIT removePreset(data(index, IdRole).toString());
        } else {
            drafts.push_back(index.row());
        }
    }
    for (auto row = drafts.rbegin(); row != drafts.rend(); ++row) {
        beginRemoveRows(QModelIndex(), *row, *row);
        m_rows.erase(m_rows.begin() + *row);
        endRemoveRows();
    }
}

void PresetsModel::select(int index)
{
    setCurrentIndex(index);
}

void PresetsModel::selectAll()
{
    if (m_rows.empty()) {
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
    const int row = rowOf(preset.id());
    if (row < 0) {
        const int last = rowCount();
        beginInsertRows(QModelIndex(), last, last);
        m_rows.push_back(makeRow(std::move(preset), true));
        endInsertRows();
        return;
    }
    Row &changedRow = m_rows[static_cast<size_t>(row)];
    changedRow = makeRow(std::move(preset), true, &changedRow);
    const QModelIndex changed = index(row, 0);
    Q_EMIT dataChanged(changed, changed);
    if (row == currentIndex()) {
        Q_EMIT currentItemChanged();
    }
}

void PresetsModel::onPresetRemoved(QString uuid)
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&uuid](const Row &candidate) { return candidate.preset.id().toString() == uuid; });
    if (found == m_rows.end()) {
        return;
    }
    const int row = static_cast<int>(found - m_rows.begin());
    const QModelIndex removed = index(row, 0);
    // Left alone, the selection model would hand the current row to a
    // neighbour, and the editor would silently show another preset.
    // This window's own removals clear the current row before they are
    // sent, so a current row removed here was removed by someone else.
    const bool wasCurrent = m_selection->currentIndex() == removed;
    const QString name = wasCurrent ? data(removed, NameRole).toString() : QString();
    if (wasCurrent) {
        m_selection->select(removed, QItemSelectionModel::Deselect);
        m_selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(found);
    endRemoveRows();
    if (wasCurrent) {
        Q_EMIT currentRemoved(name);
    }
}

void PresetsModel::reset(std::vector<Preset> presets)
{
    const int current = currentIndex();
    const QUuid currentId = current >= 0 ? m_rows[static_cast<size_t>(current)].preset.id() : QUuid();

    std::vector<Row> rows;
    rows.reserve(presets.size());
    for (Preset &preset : presets) {
        const int known = rowOf(preset.id());
        rows.push_back(makeRow(std::move(preset), true, known >= 0 ? &m_rows[static_cast<size_t>(known)] : nullptr));
    }
    for (const Row &row : m_rows) {
        const bool listed = std::any_of(rows.cbegin(), rows.cend(), [&row](const Row &candidate) { return candidate.preset.id() == row.preset.id(); });
        if (!row.stored && !listed) {
            rows.push_back(row);
        }
    }

    // The selection model forgets its rows on the reset without a word.
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();

    const int next = current >= 0 ? rowOf(currentId) : (m_rows.empty() ? -1 : 0);
    if (next >= 0) {
        select(next);
    } else {
        Q_EMIT currentIndexChanged();
        Q_EMIT currentItemChanged();
    }
}

int PresetsModel::rowOf(const QUuid &id) const
{
    const auto found = std::find_if(m_rows.cbegin(), m_rows.cend(), [&id](const Row &candidate) { return candidate.preset.id() == id; });
    return found == m_rows.cend() ? -1 : static_cast<int>(found - m_rows.cbegin());
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
