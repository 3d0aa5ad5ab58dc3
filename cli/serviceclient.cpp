// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "serviceclient.h"

#include "busaddress.h"
#include "cli_debug.h"
#include "presetcontrollerinterface.h"

#include <QCoreApplication>
#include <QDBusServiceWatcher>
#include <QJsonArray>
#include <QJsonDocument>

namespace
{
QString failureOf(QDBusPendingCall reply)
{
    reply.waitForFinished();
    if (!reply.isError()) {
        return QString();
    }
    const QDBusError error = reply.error();
    qCDebug(CLI) << "The call failed:" << error.name() << error.message();
    // A plain name: lupdate takes no qualified name for the count.
    const int seconds = ServiceClient::timeoutSeconds;
    if (error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout || error.type() == QDBusError::TimedOut) {
        return QCoreApplication::translate(
            "ServiceClient", "The scheduler service is not reachable: it did not answer within %n seconds.", "%n is the longest wait", seconds);
    }
    return QCoreApplication::translate("ServiceClient", "The scheduler service is not reachable: %1", "%1 is the bus's error message").arg(error.message());
}

Result<bool> done(QDBusPendingReply<> reply)
{
    const QString failure = failureOf(reply);
    return failure.isEmpty() ? Result<bool>(true) : Result<bool>::failure(failure);
}
} // namespace

ServiceClient::ServiceClient(QObject *parent)
    : QObject(parent)
    , m_proxy(new RuVelmoraShutdownSchedulerServicePresetControllerInterface(
          BusAddress::serviceName(), BusAddress::objectPath(), QDBusConnection::sessionBus(), this))
    , m_watcher(new QDBusServiceWatcher(BusAddress::serviceName(), QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange, this))
{
    m_proxy->setTimeout(timeoutSeconds * 1000);
    connect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetUpdated, this, &ServiceClient::presetUpdated);
    connect(m_proxy, &RuVelmoraShutdownSchedulerServicePresetControllerInterface::presetRemoved, this, &ServiceClient::presetRemoved);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &ServiceClient::serviceRegistered);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &ServiceClient::serviceUnregistered);
}

Result<QString> ServiceClient::allJson()
{
    QDBusPendingReply<QString> reply = m_proxy->getAll();
    const QString failure = failureOf(reply);
    if (!failure.isEmpty()) {
        return Result<QString>::failure(failure);
    }
    return reply.value();
}

Result<QVector<Preset>> ServiceClient::presets()
{
    const Result<QString> json = allJson();
    if (!json) {
        return Result<QVector<Preset>>::failure(json.error());
    }
    const QJsonDocument document = QJsonDocument::fromJson(json->toUtf8());
    if (!document.isArray()) {
        return Result<QVector<Preset>>::failure(tr("The scheduler service sent a list of presets that cannot be read."));
    }
    QVector<Preset> result;
    const QJsonArray array = document.array();
    for (const QJsonValue &value : array) {
        result.append(Preset(value.toObject()));
    }
    return result;
}

Result<bool> ServiceClient::updatePreset(const QString &json)
{
    return done(m_proxy->updatePreset(json));
}

Result<bool> ServiceClient::removePreset(const QString &id)
{
    return done(m_proxy->removePreset(id));
}

Result<bool> ServiceClient::start(const QString &id)
{
    return done(m_proxy->start(id));
}

Result<bool> ServiceClient::pause(const QString &id)
{
    return done(m_proxy->pause(id));
}

Result<bool> ServiceClient::stop(const QString &id)
{
    return done(m_proxy->stop(id));
}

Result<QString> ServiceClient::availableActions()
{
    QDBusPendingReply<QString> reply = m_proxy->availableActions();
    const QString failure = failureOf(reply);
    if (!failure.isEmpty()) {
        return Result<QString>::failure(failure);
    }
    return reply.value();
}
