// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVector>

// The administrator's drop-in files (see ManagedPresets): finds them under the
// folders of $XDG_CONFIG_DIRS (/etc/xdg when unset), reads them, and tells
// when any of them may have changed. Never writes there.
//
// Watching goes through inotify (QFileSystemWatcher): each presets.d and the
// folders above it that exist (so that a presets.d made later is seen), and
// every drop-in file (so that one rewritten in place is seen). Bursts of
// events, such as a temporary file written and renamed into place, end in one
// changed() a moment after the first event. Nothing wakes the service while
// nothing changes. Main thread only.
class ManagedFolders : public QObject
{
    Q_OBJECT
public:
    explicit ManagedFolders(QObject *parent);

    // The presets of all files, merged (ManagedPresets::merge), and the
    // watches brought up to date. A file that cannot be read or has a
    // problem is skipped whole and logged at warning level, with its path and
    // its first problem, once until its problem changes.
    QVector<Preset> read();

Q_SIGNALS:
    void changed();

private:
    void watch(const QStringList &folders, const QStringList &files);

    QStringList m_configDirs;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    // Path to the problem last logged for it.
    QHash<QString, QString> m_logged;
};
