// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "listcommand.h"

#include "commandsyntax.h"
#include "exitstatus.h"
#include "output.h"
#include "presettable.h"
#include "serviceclient.h"

QString ListCommand::summary()
{
    return tr("Show the presets and when each acts next.");
}

int ListCommand::run(const QStringList &arguments)
{
    CommandSyntax syntax(QStringLiteral("list"),
        QStringLiteral("list [--json]"),
        tr("Shows one preset a row: its short id (enough to name it in other commands), name, kind, action, state, "
           "and when it acts next."),
        tr("  zel-scheduler-cli list\n"
           "  zel-scheduler-cli list --json | jq '.[] | select(.preset_running)'"));
    syntax.addOption(QCommandLineOption(QStringLiteral("json"), tr("Print the presets as the service's JSON array, unchanged.")));
    if (const std::optional<int> status = syntax.parse(arguments)) {
        return *status;
    }
    if (!syntax.positionalArguments().isEmpty()) {
        return syntax.usageError(tr("\"list\" takes no arguments."));
    }

    ServiceClient client;
    if (syntax.isSet(QStringLiteral("json"))) {
        const Result<QString> json = client.allJson();
        if (!json) {
            return Output::fail(ExitStatus::Unreachable, json.error());
        }
        Output::line(*json);
        return ExitStatus::Success;
    }
    const Result<QVector<Preset>> presets = client.presets();
    if (!presets) {
        return Output::fail(ExitStatus::Unreachable, presets.error());
    }
    if (presets->isEmpty()) {
        Output::line(tr("There are no presets. \"zel-scheduler-cli add\" adds one."));
        return ExitStatus::Success;
    }
    const QDateTime now = QDateTime::currentDateTime();
    QVector<QStringList> rows{PresetTable::header()};
    for (const Preset &preset : *presets) {
        rows.append(PresetTable::row(preset, now));
    }
    for (const QString &line : PresetTable::lines(rows)) {
        Output::line(line);
    }
    return ExitStatus::Success;
}
