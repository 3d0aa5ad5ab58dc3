// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QAbstractListModel>
#include <QItemSelection>
#include <QJsonObject>

#include <vector>

class QItemSelectionModel;

// The client's mirror of the service's presets, one row per preset in the
// order they arrived, with a selection of any number of rows and one current
// row (the preset the editor shows). The rows change only on the service's
// word (reset, onPresetUpdated, onPresetRemoved) and by createDefault, which
// adds an unsaved preset for editing. Saving and removing are requests sent
// out as signals.
class PresetsModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(QJsonObject currentItem READ currentItem NOTIFY currentItemChanged)
public:
    enum Role {
        IdRole = Qt::UserRole + 1, // 257
        NameRole,
        SelectedRole,
        ActionIconNameRole,
        IsStartedRole,
        IsPausedRole,
    };

    explicit PresetsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QItemSelectionModel *selectionModel() const { return m_selection; }

Q_SIGNALS:
    void currentIndexChanged();
    void currentItemChanged();
    void updatePreset(QString preset);
    void removePreset(QString uuid);
    void start(QString uuid);
    void stop(QString uuid);
    void pause(QString uuid);

public Q_SLOTS:
    int currentIndex() const;
    void setCurrentIndex(int index);
    QJsonObject currentItem() const;
    void createDefault(QJsonObject object);
    void savePreset(QJsonObject object);
    void removeSelected();
    void select(int index);
    void selectAll();
    void deselect();
    void onPresetUpdated(QString json);
    void onPresetRemoved(QString uuid);
    void reset(std::vector<Preset> presets);

private Q_SLOTS:
    void changeSelection(QItemSelection selected, QItemSelection deselected);

private:
    QItemSelectionModel *m_selection;
    std::vector<Preset> m_presets;
};
