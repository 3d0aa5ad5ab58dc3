// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "commandline.h"

#include "actionscommand.h"
#include "addcommand.h"
#include "checkcommand.h"
#include "commandsyntax.h"
#include "controlcommand.h"
#include "exitstatus.h"
#include "listcommand.h"
#include "output.h"
#include "serviceclient.h"
#include "watchcommand.h"

namespace
{
int runCommand(const QString &command, const QStringList &arguments)
{
    if (command == QLatin1String("list")) {
        return ListCommand::run(arguments);
    }
    if (command == QLatin1String("add")) {
        return AddCommand::run(arguments);
    }
    if (ControlCommand::names().contains(command)) {
        return ControlCommand::run(command, arguments);
    }
    if (command == QLatin1String("watch")) {
        return WatchCommand::run(arguments);
    }
    if (command == QLatin1String("actions")) {
        return ActionsCommand::run(arguments);
    }
    if (command == QLatin1String("check")) {
        return CheckCommand::run(arguments);
    }
    return -1;
}
} // namespace

int CommandLine::run(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first.isEmpty()) {
        Output::error(tr("Name a command."));
        Output::error(tr("Try \"%1\" for more information.").arg(QStringLiteral("zel-scheduler-cli --help")));
        return ExitStatus::Usage;
    }
    if (first == QLatin1String("-h") || first == QLatin1String("--help") || (first == QLatin1String("help") && arguments.size() == 2)) {
        Output::line(help());
        return ExitStatus::Success;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        Output::line(QStringLiteral("zel-scheduler-cli %1").arg(QCoreApplication::applicationVersion()));
        return ExitStatus::Success;
    }
    if (first == QLatin1String("help")) {
        const int status = runCommand(arguments.at(2), {QStringLiteral("--help")});
        if (status >= 0) {
            return status;
        }
    } else {
        const int status = runCommand(first, arguments.mid(2));
        if (status >= 0) {
            return status;
        }
    }
    const QString unknown = first == QLatin1String("help") ? arguments.at(2) : first;
    Output::error(tr("\"%1\" is not a command.").arg(unknown));
    Output::error(tr("Try \"%1\" for more information.").arg(QStringLiteral("zel-scheduler-cli --help")));
    return ExitStatus::Usage;
}

QString CommandLine::help()
{
    QStringList lines;
    lines << tr("Usage: %1").arg(QStringLiteral("zel-scheduler-cli COMMAND [OPTIONS] [ARGUMENTS]")) << QString()
          << CommandSyntax::wrap(tr("Plans and controls the power and session actions of Zel Scheduler from a terminal or a script. "
                                    "The scheduler service keeps the presets and carries them out; this program only talks to it over the "
                                    "session bus, starting it there when it is not running, and waits at most %n seconds for each answer.",
                                     nullptr,
                                     ServiceClient::timeoutSeconds),
                 CommandSyntax::helpWidth)
          << QString() << tr("Commands:");
    const QList<std::pair<QString, QString>> commands = {
        {QStringLiteral("list"), ListCommand::summary()},
        {QStringLiteral("add"), AddCommand::summary()},
        {QStringLiteral("start"), ControlCommand::summary(QStringLiteral("start"))},
        {QStringLiteral("pause"), ControlCommand::summary(QStringLiteral("pause"))},
        {QStringLiteral("stop"), ControlCommand::summary(QStringLiteral("stop"))},
        {QStringLiteral("remove"), ControlCommand::summary(QStringLiteral("remove"))},
        {QStringLiteral("watch"), WatchCommand::summary()},
        {QStringLiteral("actions"), ActionsCommand::summary()},
        {QStringLiteral("check"), CheckCommand::summary()},
        {QStringLiteral("help"), tr("Show the help of a command: help COMMAND.")},
    };
    for (const auto &command : commands) {
        lines << QStringLiteral("  ") + command.first.leftJustified(8) + command.second;
    }
    lines << QString() << tr("Options:") << QStringLiteral("  -h, --help     ") + tr("Show this help.")
          << QStringLiteral("  -v, --version  ") + tr("Show the version.") << QString()
          << CommandSyntax::wrap(tr("\"zel-scheduler-cli COMMAND --help\" shows the options and examples of a command. A preset is "
                                    "named by its id, any unique beginning of it (\"list\" shows the first 8 digits), or its unique name."),
                 CommandSyntax::helpWidth)
          << QString() << tr("Exit status:") << tr("  0  Done.")
          << CommandSyntax::wrap(tr("  1  The preset would never act, so it was not added (an end before the start, say); a file checked has a "
                                    "problem; or your administrator does not let you change a preset."),
                 CommandSyntax::helpWidth,
                 5)
          << CommandSyntax::wrap(tr("  2  The command line is not understood: an unknown command, option or action, or a malformed "
                                    "duration, date and time, repeat rule, list of days or daily window."),
                 CommandSyntax::helpWidth,
                 5)
          << CommandSyntax::wrap(tr("  3  A preset named matches no preset, or several; nothing was changed."), CommandSyntax::helpWidth, 5)
          << CommandSyntax::wrap(
                 tr("  4  The scheduler service is not reachable: it did not answer in time, or there is no session bus."), CommandSyntax::helpWidth, 5)
          << QString() << tr("Examples:")
          << tr("  zel-scheduler-cli add shutdown --in 10m --warn 2m --start\n"
                "  zel-scheduler-cli add reboot --at 23:00 --repeat weekly --on mon --start\n"
                "  zel-scheduler-cli list\n"
                "  zel-scheduler-cli stop --all");
    return lines.join(QLatin1Char('\n'));
}
