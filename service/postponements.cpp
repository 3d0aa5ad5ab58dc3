// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "postponements.h"

#include "actionfailure.h"
#include "postponements_debug.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace Postponements
{
namespace
{
// What the notes told at start had moved away.
QHash<QUuid, QDateTime> &lostOriginals()
{
    static QHash<QUuid, QDateTime> originals;
    return originals;
}

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/postponed.json");
}

QJsonObject read()
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly)) {
        return QJsonObject();
    }
    return QJsonDocument::fromJson(file.readAll()).object();
}

void write(const QJsonObject &notes)
{
    if (notes.isEmpty()) {
        QFile::remove(path());
        return;
    }
    QDir().mkpath(QFileInfo(path()).absolutePath());
    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(notes).toJson(QJsonDocument::Compact)) < 0 || !file.commit()) {
        qCWarning(POSTPONEMENTS).noquote() << "Could not note the postponed actions in" << path() << ":" << file.errorString();
    }
}
} // namespace

void note(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment)
{
    QJsonObject notes = read();
    notes.insert(preset.toString(),
        QJsonObject{{QStringLiteral("action"), action},
            {QStringLiteral("from"), double(original.toMSecsSinceEpoch())},
            {QStringLiteral("at"), double(moment.toMSecsSinceEpoch())}});
    write(notes);
}

void drop(const QUuid &preset)
{
    QJsonObject notes = read();
    if (notes.contains(preset.toString())) {
        notes.remove(preset.toString());
        write(notes);
    }
}

void tellLeftOver()
{
    const QJsonObject notes = read();
    for (auto it = notes.begin(); it != notes.end(); ++it) {
        const QJsonObject note = it.value().toObject();
        lostOriginals().insert(QUuid::fromString(it.key()), QDateTime::fromMSecsSinceEpoch(qint64(note.value(QStringLiteral("from")).toDouble())));
        const QDateTime moment = QDateTime::fromMSecsSinceEpoch(qint64(note.value(QStringLiteral("at")).toDouble()));
        ActionFailure::tell(note.value(QStringLiteral("action")).toInt(), ActionFailure::Reason::PostponedLost, ActionFailure::plannedText(moment));
    }
    write(QJsonObject());
}

QDateTime lostOriginal(const QUuid &preset)
{
    return lostOriginals().value(preset);
}
} // namespace Postponements
