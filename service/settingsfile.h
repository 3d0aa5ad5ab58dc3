// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>

#include <optional>

// The service's settings file, in the INI format that QSettings writes on
// Linux, read and changed entry by entry.
//
// QSettings rewrites every entry of a file from what it parsed whenever one
// key changes, and what it cannot parse (a broken JSON text, a type this
// program does not know, a quoted plain text) comes back altered or as
// "@Invalid()". This class never parses what it does not change: an edit
// replaces or removes the lines of its own key and leaves every other byte of
// the file as it was. Values are written exactly as QSettings writes them, so
// QSettings (and older versions of the service) read the file as before.
//
// Top-level entries are those before the first section and those of the
// section [General]; other sections are kept but never listed. Where a key
// occurs more than once the last occurrence counts, as in QSettings.
//
// A write replaces the file atomically: the new text goes to a temporary file
// in the same folder, which is synced and renamed over the file, and the
// folder is synced (see Durability). Not thread-safe; one owner.
class SettingsFile
{
public:
    explicit SettingsFile(const QString &path);

    QString path() const { return m_path; }

    // The top-level entries, key to value as written in the file (still
    // escaped). An absent file has none. Nullopt when the file exists but
    // cannot be read; errorString() says why.
    std::optional<QMap<QString, QByteArray>> read();

    // What a write promises once it returns true. Durable: the new file is on
    // disk, its name included. Progress: the file is whole on disk, the old
    // text or the new whatever happens, but a crash in the seconds after may
    // bring back the old one, since the folder is not synced. That sync waits
    // for the disk's journal, the larger part of what a write costs: a change
    // that a crash may lose anyway (a countdown's minute) goes without it.
    enum class Durability { Durable, Progress };

    // Applies edits (key to the escaped value to write, or nullopt to remove
    // the key) to the file as it is on disk now, and replaces it. True once the
    // new text is on disk as durability says; false, with errorString(), when
    // the file could not be read or written, in which case it is unchanged.
    bool write(const QMap<QString, std::optional<QByteArray>> &edits, Durability durability = Durability::Durable);

    // Makes what progress writes left on disk durable: syncs the folder if a
    // rename has not reached the disk yet. True when nothing is left to sync.
    bool settle();
    bool isSettled() const { return m_unsyncedFolder.isEmpty(); }

    // Why the last read or write failed, in the system's words.
    QString errorString() const { return m_error; }

    // A JSON object as QSettings writes a QVariant holding it.
    static QByteArray encodeJsonObject(const QJsonObject &object);
    // The JSON object of a value written that way; nullopt for any other
    // value, including an object whose JSON text does not parse.
    static std::optional<QJsonObject> decodeJsonObject(const QByteArray &value);
    // A key as QSettings escapes it in the file, and back.
    static QByteArray encodeKey(const QString &key);
    static QString decodeKey(const QByteArray &key);

    // The text of a file with edits applied (see write()).
    static QByteArray applyEdits(const QByteArray &text, const QMap<QString, std::optional<QByteArray>> &edits);

private:
    bool readFile(QByteArray *text);
    bool replaceFile(const QByteArray &text, Durability durability);
    bool fail(const QString &reason);

    QString m_path;
    QString m_error;
    // The folder of a rename not synced yet, by a progress write.
    QString m_unsyncedFolder;
};
