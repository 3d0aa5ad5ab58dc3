// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "checkcommand.h"

#include "commandsyntax.h"
#include "exitstatus.h"
#include "managedpresets.h"
#include "output.h"

#include <QDateTime>
#include <QFile>

QString CheckCommand::summary()
{
    return tr("Check administrators' preset files before deploying them.");
}

int CheckCommand::run(const QStringList &arguments)
{
    CommandSyntax syntax(QStringLiteral("check"),
        QStringLiteral("check FILE..."),
        tr("Checks files of presets that an administrator puts into zel-scheduler/presets.d under a folder of "
           "$XDG_CONFIG_DIRS (normally /etc/xdg), as the scheduler service reads them: valid JSON, one preset or an array "
           "of them, the required keys, values in range, and presets that could ever act. Writes a sentence for each "
           "problem and exits with status 1 when there is any; the service would skip such a file whole. Does not need "
           "the service."),
        tr("  zel-scheduler-cli check /etc/xdg/zel-scheduler/presets.d/*.json\n"
           "  In Ansible: validate: zel-scheduler-cli check %s"));
    if (const std::optional<int> status = syntax.parse(arguments)) {
        return *status;
    }
    const QStringList files = syntax.positionalArguments();
    if (files.isEmpty()) {
        return syntax.usageError(tr("Name the files to check."));
    }

    const QDateTime now = QDateTime::currentDateTime();
    bool fine = true;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            Output::error(tr("%1: The file cannot be read: %2.").arg(path, file.errorString()));
            fine = false;
            continue;
        }
        const ManagedPresets::File parsed = ManagedPresets::parse(file.readAll(), now);
        for (const ManagedPresets::Problem &problem : parsed.problems) {
            Output::error(problem.preset == 0 ? tr("%1: %2").arg(path, problem.translated)
                                              : tr("%1, preset %2: %3").arg(path, QString::number(problem.preset), problem.translated));
        }
        if (parsed.problems.isEmpty()) {
            // English reads right for one only as a text of its own.
            const int count = parsed.presets.size();
            Output::line((count == 1 ? tr("%1: 1 preset, valid.") : tr("%1: %n presets, valid.", nullptr, count)).arg(path));
        }
        fine = fine && parsed.problems.isEmpty();
    }
    return fine ? ExitStatus::Success : ExitStatus::Refused;
}
