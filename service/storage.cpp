// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "storage.h"

#include "managedfolders.h"
#include "managedpresets.h"
#include "storage_debug.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
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

// The user's state of the administrator's presets, beside the settings.
QString userStatePath()
{
    QString path = userSettingsPath();
    path.insert(path.lastIndexOf(QLatin1String(".conf")), QLatin1String("-managed"));
    return path;
}

bool isPresetKey(const QString &key)
{
    return QUuid::fromString(key).toString() == key;
}

// How long a change staged by stagePreset() may wait for its write.
constexpr int stagedWriteDelayMs = 60 * 1000;
} // namespace

Storage::Storage(QObject *parent)
    : QObject(parent), m_file(userSettingsPath()), m_stateFile(userStatePath()), m_folders(new ManagedFolders(this)), m_writeTimer(new QTimer(this))
{
    m_writeTimer->setSingleShot(true);
    m_writeTimer->setInterval(stagedWriteDelayMs);
    connect(m_writeTimer, &QTimer::timeout, this, [this] { writePending(SettingsFile::Durability::Progress); });

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
    loadManaged();
}

void Storage::loadManaged()
{
    // Without its state a managed preset starts as its administrator set it;
    // the file is then never written unread, as the settings.
    if (const std::optional<QMap<QString, QByteArray>> states = m_stateFile.read()) {
        for (auto entry = states->cbegin(); entry != states->cend(); ++entry) {
            if (const std::optional<QJsonObject> state = SettingsFile::decodeJsonObject(entry.value()); state && isPresetKey(entry.key())) {
                m_userStates.insert(QUuid::fromString(entry.key()), *state);
            }
        }
    } else {
        qCWarning(STORAGE).noquote() << QStringLiteral("Could not read settings %1: %2").arg(m_stateFile.path(), m_stateFile.errorString());
    }
    setManaged(m_folders->read());
    connect(m_folders, &ManagedFolders::changed, this, [this] { setManaged(m_folders->read()); });
}

QString Storage::getAll() const
{
    QJsonArray array;
    for (const Preset::Ptr &preset : m_presets) {
        array.append(preset->toJsonObject());
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

bool Storage::writePending(SettingsFile::Durability durability)
{
    const bool durable = durability == SettingsFile::Durability::Durable;
    for (auto [file, staged] : {std::make_pair(&m_file, &m_staged), std::make_pair(&m_stateFile, &m_stagedState)}) {
        if (staged->isEmpty() ? durable && !file->settle() : !file->write(*staged, durability)) {
            m_writeError = file->errorString();
            if (!m_failing) {
                m_failing = true;
                qCWarning(STORAGE).noquote() << QStringLiteral("Could not write settings %1: %2").arg(file->path(), file->errorString());
                Q_EMIT writeFailed(file->path(), file->errorString());
            }
            return false;
        }
        staged->clear();
    }
    m_writeTimer->stop();
    if (m_failing) {
        m_failing = false;
        qCInfo(STORAGE).noquote() << "Settings written again to" << m_file.path();
    }
    return true;
}

bool Storage::isSaved(const QUuid &id) const
{
    return !m_staged.contains(id.toString()) && !m_stagedState.contains(id.toString()) && m_file.isSettled() && m_stateFile.isSettled();
}

void Storage::stagePreset(Preset::Ptr preset)
{
    auto it = std::find_if(m_presets.begin(), m_presets.end(), [&preset](const Preset::Ptr &p) { return p->id() == preset->id(); });
    if (it == m_presets.end()) {
        return;
    }
    if (isManaged(preset->id()) != bool(preset->managed())) {
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
    if (isManaged(preset->id()) != bool(preset->managed())) {
        qCWarning(STORAGE) << "Preset" << preset->id() << "is set by the administrator: not changed";
        return true;
    }
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
    if (preset.managed()) {
        stageUserState(preset);
        return;
    }
    m_staged.insert(preset.id().toString(), SettingsFile::encodeJsonObject(preset.toJsonObject()));
}

bool Storage::removePreset(QUuid id)
{
    if (isManaged(id)) {
        qCWarning(STORAGE) << "Preset" << id << "is set by the administrator: not removed";
        return true;
    }
    qCDebug(STORAGE) << "Removing preset" << id;
    m_presets.erase(std::remove_if(m_presets.begin(), m_presets.end(), [&id](const Preset::Ptr &p) { return p->id() == id; }), m_presets.end());
    m_staged.insert(id.toString(), std::nullopt);
    const bool written = writePending();
    Q_EMIT presetRemoved(id);
    return written;
}

void Storage::stageUserState(const Preset &preset)
{
    const QJsonObject state = ManagedPresets::userState(preset, m_fingerprints.value(preset.id()));
    m_userStates.insert(preset.id(), state);
    m_stagedState.insert(preset.id().toString(), SettingsFile::encodeJsonObject(state));
}

void Storage::take(const QUuid &id)
{
    m_presets.erase(std::remove_if(m_presets.begin(), m_presets.end(), [&id](const Preset::Ptr &p) { return p->id() == id; }), m_presets.end());
    Q_EMIT presetRemoved(id);
}

void Storage::setManaged(const QVector<Preset> &managed)
{
    QSet<QUuid> present;
    for (const Preset &admin : managed) {
        const QUuid id = admin.id();
        present.insert(id);
        const QByteArray fingerprint = ManagedPresets::fingerprint(admin);
        const auto known = m_fingerprints.constFind(id);
        if (known != m_fingerprints.cend() && *known == fingerprint) {
            continue;
        }
        if (known != m_fingerprints.cend()) {
            qCInfo(STORAGE) << "The administrator changed preset" << id;
            take(id);
        } else {
            const auto own = std::find_if(m_presets.cbegin(), m_presets.cend(), [&id](const Preset::Ptr &p) { return p->id() == id; });
            if (own != m_presets.cend()) {
                qCWarning(STORAGE) << "The user's preset" << id << "has the id of one set by the administrator: hidden while that is there";
                m_hidden.insert(id, *own);
                take(id);
            }
            qCInfo(STORAGE) << "The administrator set preset" << id;
        }
        m_fingerprints.insert(id, fingerprint);
        const Preset::Ptr preset = Preset::make(ManagedPresets::withUserState(admin, m_userStates.value(id)));
        m_presets.append(preset);
        Q_EMIT presetAdded(preset);
        // The state of another version is dropped: this one starts afresh.
        if (m_userStates.contains(id) && ManagedPresets::userState(*preset, fingerprint) != m_userStates.value(id)) {
            m_userStates.remove(id);
            m_stagedState.insert(id.toString(), std::nullopt);
        }
    }
    const QList<QUuid> ids = m_fingerprints.keys();
    for (const QUuid &id : ids) {
        if (present.contains(id)) {
            continue;
        }
        qCInfo(STORAGE) << "The administrator removed preset" << id;
        m_fingerprints.remove(id);
        take(id);
        if (m_userStates.remove(id) > 0) {
            m_stagedState.insert(id.toString(), std::nullopt);
        }
        if (const Preset::Ptr own = m_hidden.take(id)) {
            m_presets.append(own);
            Q_EMIT presetAdded(own);
        }
    }
    writePending();
}
