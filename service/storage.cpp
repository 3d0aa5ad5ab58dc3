// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "storage.h"

#include "storage_debug.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>

Storage::Storage(QObject *parent) : QObject(parent), m_settings(new QSettings(QCoreApplication::organizationName(), QCoreApplication::applicationName(), this))
{
    qCDebug(STORAGE) << "Init presets from QSettings";
    const QStringList keys = m_settings->allKeys();
    for (const QString &key : keys) {
        const QVariant value = m_settings->value(key, QVariant());
        if (!value.canConvert<QJsonObject>()) {
            continue;
        }
        const QJsonObject object = value.userType() == QMetaType::QJsonObject ? value.toJsonObject() : value.value<QJsonObject>();
        m_presets.append(Preset::make(object));
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

void Storage::sync()
{
    m_settings->sync();
}

void Storage::updatePreset(Preset::Ptr preset)
{
    auto it = std::find_if(m_presets.begin(), m_presets.end(), [&preset](const Preset::Ptr &p) { return p->id() == preset->id(); });
    if (it == m_presets.end()) {
        qCDebug(STORAGE) << "Creating new preset" << preset->toJson();
        m_presets.append(preset);
        Q_EMIT presetAdded(preset);
    } else {
        qCDebug(STORAGE) << "Updating preset" << preset->id();
        *it = preset;
        Q_EMIT presetUpdated(preset);
    }
    m_settings->setValue(preset->id().toString(), QVariant(preset->toJsonObject()));
}

void Storage::removePreset(QUuid id)
{
    qCDebug(STORAGE) << "Removing preset" << id;
    m_presets.erase(std::remove_if(m_presets.begin(), m_presets.end(), [&id](const Preset::Ptr &p) { return p->id() == id; }), m_presets.end());
    m_settings->remove(id.toString());
    Q_EMIT presetRemoved(id);
}
