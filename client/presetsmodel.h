// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QAbstractListModel>
#include <QItemSelection>
#include <QJsonObject>

#include <QDateTime>

#include <functional>
#include <vector>

class QItemSelectionModel;

// The client's mirror of the service's presets, one row per preset in the
// order they arrived, with a selection of any number of rows and one current
// row (the preset the editor shows). The rows change on the service's word
// (reset, onPresetUpdated, onPresetRemoved) and by createDefault, which adds
// a draft: a preset for editing that the service does not have yet. Drafts
// survive a reload of the list and become stored rows once the service
// reports them. Saving and removing stored presets are requests sent out as
// signals; the model makes no bus calls itself.
//
// The current preset only changes when asked for, or when it disappears
// (then no row is current): a reload keeps it current wherever it lands.
//
// The texts of a row (RowText) are in the current language. A running
// countdown's end is taken when its report arrives (the service reports
// every second), so that it stays put as the reports come. The texts of
// running schedules and windows change with the clock alone: the view calls
// updateClockTexts() as the minutes pass while it shows such rows.
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
        IsStoredRole, // false for a draft
        StatusRole, // what it is doing, RowText::status
        DescriptionRole, // the row read aloud, RowText::sentence
        FollowsClockRole, // RowText::followsClock
        // Set by the administrator: not to be changed or removed. What the
        // user may still do with it (stop, pause) the service keeps to
        // itself, so it is not known here.
        IsManagedRole,
    };

    explicit PresetsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QItemSelectionModel *selectionModel() const { return m_selection; }

    // Whether two preset objects hold the same settings: everything a user
    // can edit, that is all but the id, the run state, the remaining time
    // and the force flag.
    Q_INVOKABLE static bool sameSettings(const QJsonObject &first, const QJsonObject &second);
    // Names of the selected rows that removeSelected would remove (all but
    // the administrator's), top to bottom.
    Q_INVOKABLE QStringList selectedNames() const;
    // Whether a stored name was given by the user (RowText::isCustomName).
    Q_INVOKABLE bool isCustomName(const QString &name) const;
    // Announces the texts that follow the clock anew.
    Q_INVOKABLE void updateClockTexts();

    // Where "now" comes from; the system clock unless a test sets another.
    void setClock(std::function<QDateTime()> clock);

Q_SIGNALS:
    void currentIndexChanged();
    void currentItemChanged();
    void updatePreset(QString preset);
    void removePreset(QString uuid);
    void start(QString uuid);
    void stop(QString uuid);
    void pause(QString uuid);
    // The preset being edited was removed by someone else (another window,
    // the command line); name is what its row showed.
    void currentRemoved(QString name);

public Q_SLOTS:
    int currentIndex() const;
    void setCurrentIndex(int index);
    QJsonObject currentItem() const;
    // Appends a draft built from the object and makes it current.
    void createDefault(QJsonObject object);
    void savePreset(QJsonObject object);
    // Asks the service to remove the selected stored presets, but for the
    // administrator's, which it would refuse, and drops the selected drafts
    // at once.
    void removeSelected();
    void select(int index);
    void selectAll();
    void deselect();
    void onPresetUpdated(QString json);
    void onPresetRemoved(QString uuid);
    // Replaces the stored rows by the service's list; drafts stay after them.
    void reset(std::vector<Preset> presets);

private Q_SLOTS:
    void changeSelection(QItemSelection selected, QItemSelection deselected);

private:
    struct Row
    {
        Preset preset;
        bool stored;
        QDateTime countdownEnd; // of a running countdown
    };

    int rowOf(const QUuid &id) const;
    Row makeRow(Preset preset, bool stored, const Row *previous = nullptr) const;
    bool isCustomName(const Row &row) const;

    QItemSelectionModel *m_selection;
    std::vector<Row> m_rows;
    // Every action's name in every language: names made up of them are not
    // the user's.
    QStringList m_actionNames;
    std::function<QDateTime()> m_clock;
};
