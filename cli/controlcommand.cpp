// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "controlcommand.h"

#include "commandsyntax.h"
#include "exitstatus.h"
#include "output.h"
#include "presetid.h"
#include "serviceclient.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QSet>
#include <QTimer>

namespace
{
// Whether the service will report the preset after command: only a command
// that changes the run state of a preset with a worker is reported.
bool changesState(const QString &command, const Preset &preset)
{
    if (preset.presetType() != PresetType::Timer && preset.presetType() != PresetType::Scheduled && preset.presetType() != PresetType::Range) {
        return false;
    }
    if (command == QLatin1String("start")) {
        return !preset.isRunning();
    }
    if (command == QLatin1String("pause")) {
        return preset.isRunning();
    }
    if (command == QLatin1String("stop")) {
        return preset.isRunning() || preset.isPaused();
    }
    return false;
}

// Whether a reported preset shows the outcome of command. A running
// countdown reports every second, so a report alone does not say that the
// command has taken effect.
bool hasReached(const QString &command, const Preset &preset)
{
    if (command == QLatin1String("start")) {
        return preset.isRunning();
    }
    if (command == QLatin1String("pause")) {
        return !preset.isRunning();
    }
    return !preset.isRunning() && !preset.isPaused();
}

Result<bool> send(ServiceClient &client, const QString &command, const QString &id)
{
    if (command == QLatin1String("start")) {
        return client.start(id);
    }
    if (command == QLatin1String("pause")) {
        return client.pause(id);
    }
    if (command == QLatin1String("stop")) {
        return client.stop(id);
    }
    return client.removePreset(id);
}
} // namespace

QStringList ControlCommand::names()
{
    return {QStringLiteral("start"), QStringLiteral("pause"), QStringLiteral("stop"), QStringLiteral("remove")};
}

QString ControlCommand::summary(const QString &command)
{
    if (command == QLatin1String("start")) {
        return tr("Start presets.");
    }
    if (command == QLatin1String("pause")) {
        return tr("Pause running presets.");
    }
    if (command == QLatin1String("stop")) {
        return tr("Stop presets, or with --all every running preset.");
    }
    return tr("Remove presets.");
}

int ControlCommand::run(const QString &command, const QStringList &arguments)
{
    const QString naming = tr("ID is the id of a preset, any unique beginning of it (\"list\" shows the first 8 digits), or the preset's unique name.");
    QString usage = command + QStringLiteral(" ID...");
    QString description;
    QString examples;
    if (command == QLatin1String("start")) {
        description = tr("Starts presets: a countdown runs on from where it stands, a schedule or a daily window acts at its next occurrence.");
        examples = tr("  zel-scheduler-cli start 0f8fad5b\n  zel-scheduler-cli start \"Lunch break\" 7c2e");
    } else if (command == QLatin1String("pause")) {
        description = tr("Pauses running presets: nothing of theirs acts until they are started again; a countdown keeps its remaining time.");
        examples = tr("  zel-scheduler-cli pause 0f8fad5b");
    } else if (command == QLatin1String("stop")) {
        usage = QStringLiteral("stop (ID... | --all)");
        description = tr("Stops presets: nothing of theirs acts until they are started again, and a countdown starts from its full length "
                         "then. With --all every running preset is stopped, like \"shutdown -c\"; paused presets stay paused.");
        examples = tr("  zel-scheduler-cli stop 0f8fad5b\n  zel-scheduler-cli stop --all");
    } else {
        description = tr("Removes presets for good, running or not.");
        examples = tr("  zel-scheduler-cli remove 0f8fad5b \"Lunch break\"");
    }
    CommandSyntax syntax(command, usage, description + QLatin1Char('\n') + naming, examples);
    const QString all = QStringLiteral("all");
    if (command == QLatin1String("stop")) {
        syntax.addOption(QCommandLineOption(all, tr("Stop every running preset.")));
    }
    if (const std::optional<int> status = syntax.parse(arguments)) {
        return *status;
    }
    const QStringList given = syntax.positionalArguments();
    const bool everyRunning = command == QLatin1String("stop") && syntax.isSet(all);
    if (everyRunning && !given.isEmpty()) {
        return syntax.usageError(tr("Name presets or give --all, not both."));
    }
    if (!everyRunning && given.isEmpty()) {
        return syntax.usageError(tr("Name at least one preset: its id, the beginning of its id, or its name."));
    }

    ServiceClient client;
    const Result<QVector<Preset>> presets = client.presets();
    if (!presets) {
        return Output::fail(ExitStatus::Unreachable, presets.error());
    }
    QVector<Preset> targets;
    QSet<QUuid> chosen;
    bool allFound = true;
    if (everyRunning) {
        for (const Preset &preset : *presets) {
            if (preset.isRunning()) {
                targets.append(preset);
            }
        }
    }
    for (const QString &name : given) {
        const Result<int> index = PresetId::resolve(name, *presets);
        if (!index) {
            Output::error(index.error());
            allFound = false;
        } else if (!chosen.contains(presets->at(*index).id())) {
            chosen.insert(presets->at(*index).id());
            targets.append(presets->at(*index));
        }
    }
    if (!allFound) {
        return ExitStatus::NoMatch;
    }
    if (command == QLatin1String("remove")) {
        bool managed = false;
        for (const Preset &preset : qAsConst(targets)) {
            if (preset.managed()) {
                Output::error(tr("%1 is set by your administrator and cannot be removed.").arg(preset.id().toString().mid(1, 8)));
                managed = true;
            }
        }
        if (managed) {
            return ExitStatus::Refused;
        }
    }
    return apply(client, command, targets);
}

int ControlCommand::apply(ServiceClient &client, const QString &command, const QVector<Preset> &presets)
{
    QSet<QString> unreported;
    int status = ExitStatus::Success;
    QEventLoop loop;
    // Connected before the commands go out, so that no report is missed.
    QObject::connect(&client, &ServiceClient::presetUpdated, &loop, [&](const QString &json) {
        const Preset reported(QJsonDocument::fromJson(json.toUtf8()).object());
        if (hasReached(command, reported)) {
            unreported.remove(reported.id().toString());
        }
        if (unreported.isEmpty()) {
            loop.quit();
        }
    });
    for (const Preset &preset : presets) {
        const QString id = preset.id().toString();
        if (changesState(command, preset)) {
            unreported.insert(id);
        }
        const Result<bool> sent = send(client, command, id);
        if (!sent) {
            return Output::fail(ExitStatus::Unreachable, sent.error());
        }
        // The service answers once the command is carried out: a managed
        // preset that is not paused or stopped by then is one the
        // administrator does not let the user pause or stop.
        if (preset.managed() && unreported.contains(id) && command != QLatin1String("start")) {
            const Result<QVector<Preset>> now = client.presets();
            if (!now) {
                return Output::fail(ExitStatus::Unreachable, now.error());
            }
            const auto found = std::find_if(now->cbegin(), now->cend(), [&preset](const Preset &p) { return p.id() == preset.id(); });
            if (found != now->cend() && !hasReached(command, *found)) {
                Output::error(tr("%1 is set by your administrator, who does not let you pause or stop it.").arg(id.mid(1, 8)));
                unreported.remove(id);
                status = ExitStatus::Refused;
            }
        }
    }
    if (!unreported.isEmpty()) {
        QTimer::singleShot(reportWaitSeconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return status;
}
