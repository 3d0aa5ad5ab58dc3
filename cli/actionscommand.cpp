// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionscommand.h"

#include "commandsyntax.h"
#include "exitstatus.h"
#include "output.h"
#include "parse.h"
#include "presetrules.h"
#include "presettable.h"
#include "serviceclient.h"

#include <QJsonDocument>
#include <QJsonObject>

QString ActionsCommand::summary()
{
    return tr("Show which actions this desktop can carry out, and how.");
}

QVector<QStringList> ActionsCommand::rows(const QJsonArray &report)
{
    QVector<QStringList> result{{tr("ACTION"), tr("AVAILABLE"), tr("HOW")}};
    for (const QJsonValue &value : report) {
        const QJsonObject entry = value.toObject();
        const QString name = Parse::actionName(entry.value(QLatin1String("action_type")).toInt(-2));
        if (name.isEmpty()) {
            continue;
        }
        const bool available = entry.value(QLatin1String("available")).toBool();
        const QString route = entry.value(QLatin1String("route")).toString();
        const QString can = entry.value(QLatin1String("can")).toString();
        const QString grant = entry.value(QLatin1String("grant")).toString();
        QString how = available ? route : grant.isEmpty() ? entry.value(QLatin1String("reason")).toString() : PresetRules::noWakeRight(grant);
        if (available && can == QLatin1String("challenge")) {
            how = tr("%1, asks for a password", "%1 is the route, e.g. logind").arg(route);
        } else if (available && route == QLatin1String("zel-wm") && (can == QLatin1String("no") || can == QLatin1String("na"))) {
            how = tr("%1 (the login manager says this machine cannot)", "%1 is the route").arg(route);
        }
        result.append({name, available ? tr("yes") : tr("no"), how});
    }
    return result;
}

int ActionsCommand::run(const QStringList &arguments)
{
    CommandSyntax syntax(QStringLiteral("actions"),
        QStringLiteral("actions [--json]"),
        tr("Shows one action a row: whether this desktop can carry it out, and how: the program that does it (logind, the "
           "Plasma session, zel-wm, ...), or why it cannot. A power action that needs a password says so."),
        tr("  zel-scheduler-cli actions\n"
           "  zel-scheduler-cli actions --json | jq '.[] | select(.available | not)'"));
    syntax.addOption(QCommandLineOption(QStringLiteral("json"), tr("Print the service's JSON array, unchanged.")));
    if (const std::optional<int> status = syntax.parse(arguments)) {
        return *status;
    }
    if (!syntax.positionalArguments().isEmpty()) {
        return syntax.usageError(tr("\"actions\" takes no arguments."));
    }

    ServiceClient client;
    const Result<QString> json = client.availableActions();
    if (!json) {
        return Output::fail(ExitStatus::Unreachable, json.error());
    }
    if (syntax.isSet(QStringLiteral("json"))) {
        Output::line(*json);
        return ExitStatus::Success;
    }
    const QJsonDocument document = QJsonDocument::fromJson(json->toUtf8());
    if (!document.isArray()) {
        return Output::fail(ExitStatus::Unreachable, tr("The scheduler service sent a list of actions that cannot be read."));
    }
    for (const QString &line : PresetTable::lines(rows(document.array()))) {
        Output::line(line);
    }
    return ExitStatus::Success;
}
