// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "storage.h"

#include "storage_debug.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>

namespace
{
// The user's own settings file, where QSettings keeps it for this
// application. Settings of other scopes are not read: an entry there could
// never be removed.
QString userSettingsPath()
{
    return QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName()).fileName();
}

bool isPresetKey(const QString &key)
{
    return QUuid::fromString(key).toString() == key;
}

// How long a change staged by stagePreset() may wait for its write.
constexpr int stagedWriteDelayMs = 60 * 1000;
} // namespace

Storage::Storage(QObject *parent) : QObject(parent), m_file(userSettingsPath()), m_writeTimer(new QTimer(this))
{
    m_writeTimer->setSingleShot(true);
    m_writeTimer->setInterval(stagedWriteDelayMs);
    connect(m_writeTimer, &QTimer::timeout, this, &Storage::writePending);

    const std::optional<QMap<QString, QByteArray>> entries = m_file.read();
    if (!entries) {
        // Nothing is loaded, and every write fails the same way until the
        // file can be read: what it holds is never replaced unread.
        qCWarning(STORAGE).noquote() << QStringLiteral("Could not read settings %1: %2").arg(m_file.path(), m_file.errorString());
        return;
    }
    for (auto entry = entries->cbegin(); entry != entries->cend(); ++entry) {
        if (!isPresetKey(entry.key())) {
            qCWarning(STORAGE).noquote() << "Settings entry" << entry.key() << "is not a preset id; left as it is";
            continue;
        }
        std::optional<QJsonObject> object = SettingsFile::decodeJsonObject(entry.value());
        if (!object) {
            qCWarning(STORAGE).noquote() << "Settings entry" << entry.key() << "cannot be read as a preset; left as it is";
            continue;
        }
        object->insert(QStringLiteral("preset_id"), entry.key());
        m_presets.append(Preset::make(*object));
    }
}

QString Storage::getAll() const
{
    QJsonArray array;
    for (const Preset::Ptr &preset : m_presets) {
        array.append(preset->toJsonObject());
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

bool Storage::writePending()
{
    if (m_staged.isEmpty()) {
        return true;
    }
    if (!m_file.write(m_staged)) {
        if (!m_failing) {
            m_failing = true;
            qCWarning(STORAGE).noquote() << QStringLiteral("Could not write settings %1: %2").arg(m_file.path(), m_file.errorString());
            Q_EMIT writeFailed(m_file.path(), m_file.errorString());
        }
        return false;
    }
    m_staged.clear();
    m_writeTimer->stop();
    if (m_failing) {
        m_failing = false;
        qCInfo(STORAGE).noquote() << "Settings written again to" << m_file.path();
    }
    return true;
}

bool Storage::isSaved(const QUuid &id) const
{
    return !m_staged.contains(id.toString());
}

void Storage::stagePreset(Preset::Ptr preset)
{
    auto it = std::find_if(m_presets.begin(), m_presets.end(), [&preset](const Preset::Ptr &p) { return p->id() == preset->id(); });
    if (it == m_presets.end()) {
        return;
    }
    *it = preset;
    Q_EMIT presetUpdated(preset, true);
    stage(*preset);
    if (!m_writeTimer->isActive()) {
        m_writeTimer->start();
    }
}

bool Storage::updatePreset(Preset::Ptr preset)
{
    auto it = std::find_if(m_presets.begin(), m_presets.end(), [&preset](const Preset::Ptr &p) { return p->id() == preset->id(); });
    if (it == m_presets.end()) {
        qCDebug(STORAGE) << "Creating new preset" << preset->toJson();
        m_presets.append(preset);
        Q_EMIT presetAdded(preset);
    } else {
        qCDebug(STORAGE) << "Updating preset" << preset->id();
        *it = preset;
        Q_EMIT presetUpdated(preset, false);
    }
    stage(*preset);
    return writePending();
}

void Storage::stage(const Preset &preset)
{
    m_staged.insert(preset.id().toString(), SettingsFile::encodeJsonObject(preset.toJsonObject()));
}

bool Storage::removePreset(QUuid id)
{
    qCDebug(STORAGE) << "Removing preset" << id;
    m_presets.erase(std::remove_if(m_presets.begin(), m_presets.end(), [&id](const Preset::Ptr &p) { return p->id() == id; }), m_presets.end());
    m_staged.insert(id.toString(), std::nullopt);
    const bool written = writePending();
    Q_EMIT presetRemoved(id);
    return written;
}
