// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "managedfolders.h"

#include "managedpresets.h"
#include "storage_debug.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{
// Long enough to take a temporary file and its rename as one change, short
// enough that a change shows at once.
constexpr int settleMs = 200;

QStringList configDirs()
{
    QStringList result;
    const QString value = qEnvironmentVariable("XDG_CONFIG_DIRS");
    for (const QString &dir : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative paths are invalid in XDG_CONFIG_DIRS and are ignored.
        if (QDir::isAbsolutePath(dir) && !result.contains(QDir::cleanPath(dir))) {
            result.append(QDir::cleanPath(dir));
        }
    }
    return result.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : result;
}
} // namespace

ManagedFolders::ManagedFolders(QObject *parent) : QObject(parent), m_configDirs(configDirs())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &ManagedFolders::changed);
    auto settle = [this] {
        if (!m_settle.isActive()) {
            m_settle.start();
        }
    };
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
}

QVector<Preset> ManagedFolders::read()
{
    QStringList folders;
    for (const QString &configDir : m_configDirs) {
        const QString dropIns = configDir + QLatin1Char('/') + ManagedPresets::subfolder();
        folders << dropIns << QFileInfo(dropIns).path() << configDir;
    }
    // The folders are watched before they are listed, so that a file that
    // comes in between is not missed.
    watch(folders, m_watcher.files());
    QVector<std::pair<QString, QStringList>> dirs;
    for (int i = 0; i < folders.size(); i += 3) {
        dirs.append({folders.at(i), QDir(folders.at(i)).entryList(QDir::Files)});
    }
    const QStringList paths = ManagedPresets::filesInOrder(dirs);
    watch(folders, paths);

    QVector<ManagedPresets::File> files;
    QHash<QString, QString> logged;
    for (const QString &path : paths) {
        QFile file(path);
        ManagedPresets::File parsed;
        QString problem;
        if (!file.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("cannot be read: %1").arg(file.errorString());
        } else {
            // The settings alone are judged: a plan whose time has passed
            // stays as it is, like any other preset.
            parsed = ManagedPresets::parse(file.readAll(), QDateTime::fromMSecsSinceEpoch(0));
            if (!parsed.problems.isEmpty()) {
                const ManagedPresets::Problem &first = parsed.problems.first();
                problem = first.preset == 0 ? first.english : QStringLiteral("preset %1: %2").arg(first.preset).arg(first.english);
            }
        }
        if (problem.isEmpty()) {
            files.append(parsed);
            continue;
        }
        if (m_logged.value(path) != problem) {
            qCWarning(STORAGE).noquote() << QStringLiteral("Skipped the administrator's presets in %1: %2").arg(path, problem);
        }
        logged.insert(path, problem);
    }
    m_logged = logged;

    QStringList overridden;
    const QVector<Preset> presets = ManagedPresets::merge(files, &overridden);
    for (const QString &id : overridden) {
        qCInfo(STORAGE) << "The administrator's preset" << id << "is given by several files; the last one read counts";
    }
    return presets;
}

void ManagedFolders::watch(const QStringList &folders, const QStringList &files)
{
    QStringList wanted;
    for (const QString &path : folders + files) {
        if (QFileInfo::exists(path)) {
            wanted.append(path);
        }
    }
    const QStringList watched = m_watcher.directories() + m_watcher.files();
    QStringList gone;
    for (const QString &path : watched) {
        if (!wanted.contains(path)) {
            gone.append(path);
        }
    }
    if (!gone.isEmpty()) {
        m_watcher.removePaths(gone);
    }
    QStringList added;
    for (const QString &path : wanted) {
        if (!watched.contains(path)) {
            added.append(path);
        }
    }
    if (!added.isEmpty()) {
        m_watcher.addPaths(added);
    }
}
