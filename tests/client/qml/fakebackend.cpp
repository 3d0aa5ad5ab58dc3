// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fakebackend.h"

#include "actionmodel.h"
#include "backend.h"
#include "presetsmodel.h"

#include <QJsonArray>
#include <QJsonDocument>

FakeBackend::FakeBackend(QObject *parent) : QObject(parent), m_presets(new PresetsModel(this)), m_actions(new ActionModel(this)), m_serviceState(Backend::Ready)
{
    connect(m_presets, &PresetsModel::updatePreset, this, [this](const QString &preset) {
        m_lastSaved = QJsonDocument::fromJson(preset.toUtf8()).object();
        record(QStringLiteral("save"));
    });
    connect(m_presets, &PresetsModel::removePreset, this, [this](const QString &uuid) { record(QStringLiteral("remove:") + uuid); });
    connect(m_presets, &PresetsModel::start, this, [this](const QString &uuid) { record(QStringLiteral("start:") + uuid); });
    connect(m_presets, &PresetsModel::pause, this, [this](const QString &uuid) { record(QStringLiteral("pause:") + uuid); });
    connect(m_presets, &PresetsModel::stop, this, [this](const QString &uuid) { record(QStringLiteral("stop:") + uuid); });
}

QAbstractListModel *FakeBackend::presetsModel() const
{
    return m_presets;
}

QAbstractListModel *FakeBackend::actionModel() const
{
    return m_actions;
}

void FakeBackend::setPresets(const QVariantList &presets)
{
    std::vector<Preset> list;
    for (const QVariant &preset : presets) {
        list.emplace_back(QJsonObject::fromVariantMap(preset.toMap()));
    }
    m_presets->reset(std::move(list));
}

void FakeBackend::report(const QJsonObject &preset)
{
    m_presets->onPresetUpdated(QString::fromUtf8(QJsonDocument(preset).toJson(QJsonDocument::Compact)));
}

void FakeBackend::reportRemoved(const QString &id)
{
    m_presets->onPresetRemoved(id);
}

void FakeBackend::setAvailability(const QVariantList &entries)
{
    m_actions->takeAvailability(QString::fromUtf8(QJsonDocument(QJsonArray::fromVariantList(entries)).toJson(QJsonDocument::Compact)));
}

bool FakeBackend::isSelected(int row) const
{
    return m_presets->data(m_presets->index(row, 0), PresetsModel::SelectedRole).toBool();
}

void FakeBackend::clearRequests()
{
    m_requests.clear();
    m_lastSaved = QJsonObject();
    Q_EMIT requestsChanged();
}

bool FakeBackend::showHelp()
{
    record(QStringLiteral("help"));
    return m_helpWorks;
}

QString FakeBackend::helpText() const
{
    return m_helpPage;
}

void FakeBackend::record(const QString &request)
{
    m_requests.append(request);
    Q_EMIT requestsChanged();
}
