// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"
#include "settingsfile.h"

#include <QHash>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <optional>

class ManagedFolders;
// The service's only record of presets: an ordered list in memory, mirrored
// entry by entry into the user's settings file (see SettingsFile). Used from
// the main thread only.
//
// Entries: the key of an entry is its preset's id, in the braced lower-case
// form. An entry whose key is no such id, or whose value is no JSON object,
// is not loaded: it is logged and left in the file exactly as it is, and no
// write ever touches it. A loaded preset takes its id from its key, whatever
// "preset_id" says, so that removing that id removes that entry.
//
// Writing: a change is first staged (the entry to write, or its removal), and
// every staged change goes to disk with the next write; a write that fails
// leaves them staged for the next one. updatePreset() and removePreset()
// stage and write at once, so that their change is on disk (synced) when they
// return true. stagePreset() only stages, for changes that may wait (a running
// countdown's remaining time): what it staged is written by the next write,
// and at the latest a minute later, as progress (SettingsFile::Durability)
// until a durable write follows. A write that fails is logged at warning
// level, with the path and the system's reason, once until a write succeeds
// again.
//
// Managed presets: the administrator's presets (ManagedFolders) are kept in
// the list after the user's, marked managed, and followed as their files
// change: a new or changed one is announced as removed (if it was there) and
// added, so that it starts afresh; one gone is removed. Their files are never
// written. What changes in them while they run (running, paused, a
// countdown's remaining time) is the user's state of them, written like an
// entry of the settings but to a file of its own beside them
// (zel-shutdown-scheduler-service-managed.conf), keyed by id and tied to the
// administrator's version: a changed version starts without it. The bus can
// neither change nor remove them (updatePreset() and removePreset() log and
// do nothing). A user's own preset with the id of a managed one is hidden
// while the managed one is there, logged, and left in the file as it is.
class Storage : public QObject
{
    Q_OBJECT
public:
    explicit Storage(QObject *parent);

    // Compact JSON array text of all presets, in list order.
    QString getAll() const;
    const QVector<Preset::Ptr> &presets() const { return m_presets; }

    // Whether id is one of the administrator's presets.
    bool isManaged(const QUuid &id) const { return m_fingerprints.contains(id); }

    // Writes every staged change. True when none is left, and, for a
    // durable write, when what earlier progress writes renamed is synced too.
    bool writePending(SettingsFile::Durability durability = SettingsFile::Durability::Durable);
    // Whether the entry of id is on disk as the list has it, durably.
    bool isSaved(const QUuid &id) const;
    // The system's reason for the last failed write.
    QString writeError() const { return m_writeError; }
    QString fileName() const { return m_file.path(); }

Q_SIGNALS:
    void presetAdded(Preset::Ptr preset);
    // staged: by stagePreset(), so not on disk yet; a change that may wait.
    void presetUpdated(Preset::Ptr preset, bool staged);
    void presetRemoved(QUuid id);
    // Writing has started to fail (once until a write succeeds again).
    void writeFailed(const QString &path, const QString &reason);

public Q_SLOTS:
    // Adds or replaces a preset, announces it, and writes it. True when it is
    // on disk. A managed preset is only replaced by its own worker's report
    // (a preset marked managed); anything else for its id is refused.
    bool updatePreset(Preset::Ptr preset);
    // Replaces a stored preset and announces it like updatePreset(), but
    // only stages its entry: it reaches the disk with the next write, at the
    // latest a minute later. Does nothing for an id that is not stored.
    void stagePreset(Preset::Ptr preset);
    // Removes a preset and its entry, and announces it. True when the entry
    // is gone from disk.
    bool removePreset(QUuid id);
    // Takes the administrator's presets as they are now (see above), and
    // writes what that changes of the user's state.
    void setManaged(const QVector<Preset> &managed);

private:
    void loadManaged();
    // Takes preset out of the list, and announces it.
    void take(const QUuid &id);
    void stageUserState(const Preset &preset);
    // Stages the entry of preset as it is now.
    void stage(const Preset &preset);

    SettingsFile m_file;
    QVector<Preset::Ptr> m_presets;
    // Key to the value to write, or nullopt to remove the entry.
    QMap<QString, std::optional<QByteArray>> m_staged;
    // The user's state of managed presets, as read and since written, and
    // what is staged of it (as m_staged).
    SettingsFile m_stateFile;
    QHash<QUuid, QJsonObject> m_userStates;
    QMap<QString, std::optional<QByteArray>> m_stagedState;
    // The managed presets' ids, to the fingerprint of the administrator's
    // version each is now.
    QHash<QUuid, QByteArray> m_fingerprints;
    // The user's presets hidden by a managed one of the same id.
    QHash<QUuid, Preset::Ptr> m_hidden;
    QString m_writeError;
    ManagedFolders *m_folders;
    bool m_failing = false;
    // Writes what stagePreset() left staged, a minute after the first of it.
    QTimer *m_writeTimer;
};
