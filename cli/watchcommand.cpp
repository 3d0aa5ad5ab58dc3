// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "watchcommand.h"

#include "commandsyntax.h"
#include "exitstatus.h"
#include "interruption.h"
#include "output.h"
#include "presetid.h"
#include "presettable.h"
#include "serviceclient.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
QString timeOfDay()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

QString jsonLine(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
} // namespace

QString WatchCommand::summary()
{
    return tr("Print each change of the presets until interrupted.");
}

int WatchCommand::run(const QStringList &arguments)
{
    CommandSyntax syntax(QStringLiteral("watch"),
        QStringLiteral("watch [--json]"),
        tr("Prints one line for each change the scheduler service announces, until interrupted (Ctrl+C): the time, "
           "then the preset as \"list\" shows it, or \"removed\". A running countdown is announced every second. "
           "A line also says when the service leaves the bus and when it is back."),
        tr("  zel-scheduler-cli watch\n"
           "  zel-scheduler-cli watch --json | jq -c 'select(.event == \"removed\")'"));
    syntax.addOption(QCommandLineOption(QStringLiteral("json"),
        tr("Print each change as a JSON object: {\"event\":\"updated\",\"preset\":{...}}, "
           "{\"event\":\"removed\",\"preset_id\":\"{...}\"}, {\"event\":\"service-gone\"} or "
           "{\"event\":\"service-back\"}.")));
    if (const std::optional<int> status = syntax.parse(arguments)) {
        return *status;
    }
    if (!syntax.positionalArguments().isEmpty()) {
        return syntax.usageError(tr("\"watch\" takes no arguments."));
    }
    const bool json = syntax.isSet(QStringLiteral("json"));
    const QString event = QStringLiteral("event");

    ServiceClient client;
    Interruption interruption;
    QEventLoop loop;
    QObject::connect(&interruption, &Interruption::interrupted, &loop, &QEventLoop::quit);
    QObject::connect(&client, &ServiceClient::presetUpdated, &loop, [&](const QString &text) {
        const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
        if (json) {
            Output::line(jsonLine({{event, QStringLiteral("updated")}, {QStringLiteral("preset"), object}}));
            return;
        }
        const QStringList row = PresetTable::row(Preset(object), QDateTime::currentDateTime());
        Output::line(timeOfDay() + QLatin1Char(' ') + row.join(QStringLiteral("  ")));
    });
    QObject::connect(&client, &ServiceClient::presetRemoved, &loop, [&](const QString &id) {
        if (json) {
            Output::line(jsonLine({{event, QStringLiteral("removed")}, {QStringLiteral("preset_id"), id}}));
            return;
        }
        Output::line(tr("%1 %2  removed", "%1 the time, %2 the short id of a preset").arg(timeOfDay(), PresetId::shortId(QUuid(id))));
    });
    // The service's first coming, when the call below starts it, is no news.
    bool gone = false;
    QObject::connect(&client, &ServiceClient::serviceUnregistered, &loop, [&] {
        gone = true;
        Output::line(
            json ? jsonLine({{event, QStringLiteral("service-gone")}}) : tr("%1 The scheduler service has left the bus.", "%1 the time").arg(timeOfDay()));
    });
    QObject::connect(&client, &ServiceClient::serviceRegistered, &loop, [&] {
        if (!gone) {
            return;
        }
        gone = false;
        Output::line(json ? jsonLine({{event, QStringLiteral("service-back")}}) : tr("%1 The scheduler service is back.", "%1 the time").arg(timeOfDay()));
        // The service sends a countdown's every second only to clients that
        // have called it, and the one back knows none yet.
        client.allJson();
    });

    // Wakes the service and tells whether it answers at all.
    const Result<QString> presets = client.allJson();
    if (!presets) {
        return Output::fail(ExitStatus::Unreachable, presets.error());
    }
    // On standard error, so that standard output carries only the changes.
    Output::error(tr("Watching the presets; Ctrl+C ends."));
    loop.exec();
    return ExitStatus::Success;
}
