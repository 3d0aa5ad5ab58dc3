// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "addcommand.h"

#include "commandsyntax.h"
#include "controlcommand.h"
#include "exitstatus.h"
#include "newpreset.h"
#include "output.h"
#include "parse.h"
#include "presetid.h"
#include "presetrules.h"
#include "serviceclient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{
const QString in = QStringLiteral("in");
const QString at = QStringLiteral("at");
const QString until = QStringLiteral("until");
const QString repeat = QStringLiteral("repeat");
const QString on = QStringLiteral("on");
const QString between = QStringLiteral("between");
const QString every = QStringLiteral("every");
const QString warn = QStringLiteral("warn");
const QString name = QStringLiteral("name");
const QString start = QStringLiteral("start");

// A fresh id whose short form names no other preset.
QUuid freshId(const QVector<Preset> &presets)
{
    for (;;) {
        const QUuid id = QUuid::createUuid();
        const QString shortId = PresetId::shortId(id);
        if (std::none_of(presets.begin(), presets.end(), [&](const Preset &preset) { return PresetId::shortId(preset.id()) == shortId; })) {
            return id;
        }
    }
}

// Why the service cannot carry out Turn On (it may not wake the machine), as
// its availableActions says; empty when it can.
Result<QString> wakeRefusal(ServiceClient &client)
{
    const Result<QString> json = client.availableActions();
    if (!json) {
        return Result<QString>::failure(json.error());
    }
    const QJsonArray report = QJsonDocument::fromJson(json->toUtf8()).array();
    for (const QJsonValue &value : report) {
        const QJsonObject entry = value.toObject();
        if (entry.value(QLatin1String("action_type")).toInt(-2) == ActionType::TurnOn && !entry.value(QLatin1String("available")).toBool(true)) {
            return PresetRules::noWakeRight(entry.value(QLatin1String("grant")).toString());
        }
    }
    return QString();
}
} // namespace

QString AddCommand::summary()
{
    return tr("Add a preset: a countdown, a schedule or a daily window.");
}

int AddCommand::run(const QStringList &arguments)
{
    CommandSyntax syntax(QStringLiteral("add"),
        QStringLiteral("add ACTION --in DURATION [--warn DURATION] [--name NAME] [--start]\n"
                       "add ACTION --at DATETIME [--until DATETIME] [--repeat RULE [--on LIST]]\n"
                       "    [--warn DURATION] [--name NAME] [--start]\n"
                       "add ACTION --between HH:MM-HH:MM --every DURATION [--name NAME] [--start]"),
        tr("Adds a preset that performs ACTION, one of: %1. Say when with exactly one of --in (a countdown), --at (a schedule) or "
           "--between (a daily window). Prints the new preset's short id.\n"
           "DURATION is written like 90s, 10m, 1h30m or 2d.\n"
           "A preset that would never act is refused with exit status 1: a countdown of zero, a warning not shorter than the "
           "countdown, an end before the start, a schedule whose occurrences all lie in the past, a daily window that ends where it "
           "starts.\n"
           "turn-on wakes the computer from sleep at the times of a schedule (--at), and only where the scheduler service may set "
           "wake alarms (\"zel-scheduler-cli actions\" shows whether it may).")
            .arg(Parse::actionNames().join(QLatin1String(", "))),
        tr("  zel-scheduler-cli add shutdown --in 1h30m --warn 5m --start\n"
           "  zel-scheduler-cli add reboot --at 23:00 --repeat weekly --on mon --start\n"
           "  zel-scheduler-cli add sleep --at \"2027-01-15 08:00\"\n"
           "  zel-scheduler-cli add logout --at 22:00 --repeat \"every 2 weeks\" --on mon-fri --until 2027-06-30T22:00\n"
           "  zel-scheduler-cli add lock --between 12:00-13:00 --every 5m --name \"Lunch break\" --start\n"
           "  zel-scheduler-cli add turn-on --at 06:55 --repeat weekly --on mon-fri --start"));
    syntax.addOption(QCommandLineOption(in, tr("Act once when this countdown has run out."), QStringLiteral("DURATION")));
    syntax.addOption(QCommandLineOption(at,
        tr("Act at this time: 23:00 is today's, or tomorrow's once it has passed; \"2027-01-15 08:00\" "
           "is that day's."),
        QStringLiteral("DATETIME")));
    syntax.addOption(QCommandLineOption(until,
        tr("The end of the schedule; a time alone is the first such time after the start. Without it a "
           "repeating schedule has no end."),
        QStringLiteral("DATETIME")));
    syntax.addOption(QCommandLineOption(repeat,
        tr("never (the default), daily, weekly, monthly, yearly, \"every N days\", \"every N weeks\" or "
           "\"every N months\"."),
        QStringLiteral("RULE")));
    syntax.addOption(QCommandLineOption(on,
        tr("The weekdays (mon,fri or mon-fri) of a weekly rule, or the days of the month (1,15) of a "
           "monthly one; a day a month lacks falls on its last day."),
        QStringLiteral("LIST")));
    syntax.addOption(QCommandLineOption(
        between, tr("Act repeatedly inside this daily window; 23:00-01:00 crosses midnight, 24:00 is the end of the day."), QStringLiteral("HH:MM-HH:MM")));
    syntax.addOption(QCommandLineOption(every, tr("How often the action repeats inside the window, from 1s to 24h."), QStringLiteral("DURATION")));
    syntax.addOption(QCommandLineOption(warn, tr("Warn with a desktop notification this long before the action."), QStringLiteral("DURATION")));
    syntax.addOption(QCommandLineOption(name,
        tr("The preset's name. Without it the name is the action and when it acts, as the window names a "
           "preset (\"Shut Down 0:10\")."),
        QStringLiteral("NAME")));
    syntax.addOption(QCommandLineOption(start, tr("Start the preset at once.")));
    if (const std::optional<int> status = syntax.parse(arguments)) {
        return *status;
    }

    const QStringList positional = syntax.positionalArguments();
    if (positional.isEmpty()) {
        return syntax.usageError(tr("Name the action: one of %1.").arg(Parse::actionNames().join(QLatin1String(", "))));
    }
    if (positional.size() > 1) {
        return syntax.usageError(tr("Unexpected argument \"%1\": \"add\" takes one action.").arg(positional.at(1)));
    }
    const Result<qint32> action = Parse::action(positional.first());
    if (!action) {
        return syntax.usageError(action.error());
    }
    const int kinds = int(syntax.isSet(in)) + int(syntax.isSet(at)) + int(syntax.isSet(between));
    if (kinds != 1) {
        return syntax.usageError(tr("Say when the action comes with exactly one of --in, --at or --between."));
    }
    for (const QString &option : {until, repeat, on}) {
        if (syntax.isSet(option) && !syntax.isSet(at)) {
            return syntax.usageError(tr("--%1 goes with --at only.").arg(option));
        }
    }
    if (syntax.isSet(every) != syntax.isSet(between)) {
        return syntax.usageError(tr("A daily window needs both --between and --every."));
    }
    if (syntax.isSet(warn) && syntax.isSet(between)) {
        return syntax.usageError(tr("A daily window gives no warning: leave out --warn."));
    }
    if (syntax.isSet(warn) && *action == ActionType::TurnOn) {
        return syntax.usageError(tr("Turn On gives no warning: leave out --warn."));
    }

    const QDateTime now = QDateTime::currentDateTime();
    NewPreset::Request request;
    request.action = *action;
    request.name = syntax.value(name);
    if (syntax.isSet(warn)) {
        const Result<qint64> lead = Parse::duration(syntax.value(warn));
        if (!lead) {
            return syntax.usageError(lead.error());
        }
        request.warning = *lead;
    }
    if (syntax.isSet(in)) {
        request.kind = PresetType::Timer;
        const Result<qint64> countdown = Parse::duration(syntax.value(in));
        if (!countdown) {
            return syntax.usageError(countdown.error());
        }
        request.countdown = *countdown;
    } else if (syntax.isSet(at)) {
        request.kind = PresetType::Scheduled;
        const Result<QDateTime> first = Parse::moment(syntax.value(at), now);
        if (!first) {
            return syntax.usageError(first.error());
        }
        request.start = *first;
        if (syntax.isSet(until)) {
            const Result<QDateTime> last = Parse::moment(syntax.value(until), request.start);
            if (!last) {
                return syntax.usageError(last.error());
            }
            request.end = *last;
        }
        const Result<RepeatSettings> rule = Parse::repeat(syntax.isSet(repeat) ? syntax.value(repeat) : QStringLiteral("never"), syntax.value(on));
        if (!rule) {
            return syntax.usageError(rule.error());
        }
        request.repeat = *rule;
    } else {
        request.kind = PresetType::Range;
        const Result<std::pair<quint64, quint64>> window = Parse::window(syntax.value(between));
        if (!window) {
            return syntax.usageError(window.error());
        }
        std::tie(request.windowStart, request.windowEnd) = *window;
        const Result<qint64> period = Parse::duration(syntax.value(every));
        if (!period) {
            return syntax.usageError(period.error());
        }
        request.period = *period;
    }
    Result<QJsonObject> object = NewPreset::build(request, now);
    if (!object) {
        return Output::fail(ExitStatus::Refused, object.error());
    }

    ServiceClient client;
    if (*action == ActionType::TurnOn) {
        const Result<QString> refusal = wakeRefusal(client);
        if (!refusal) {
            return Output::fail(ExitStatus::Unreachable, refusal.error());
        }
        if (!refusal->isEmpty()) {
            return Output::fail(ExitStatus::Refused, *refusal);
        }
    }
    const Result<QVector<Preset>> presets = client.presets();
    if (!presets) {
        return Output::fail(ExitStatus::Unreachable, presets.error());
    }
    QJsonObject stored = *object;
    const QUuid id = freshId(*presets);
    stored[QStringLiteral("preset_id")] = id.toString();
    const Result<bool> added = client.updatePreset(QString::fromUtf8(QJsonDocument(stored).toJson(QJsonDocument::Compact)));
    if (!added) {
        return Output::fail(ExitStatus::Unreachable, added.error());
    }
    Output::line(PresetId::shortId(id));
    if (syntax.isSet(start)) {
        return ControlCommand::apply(client, QStringLiteral("start"), {Preset(stored)});
    }
    return ExitStatus::Success;
}
