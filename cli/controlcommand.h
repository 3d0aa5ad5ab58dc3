// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "preset.h"

#include <QCoreApplication>
#include <QVector>

class ServiceClient;

// "start", "pause", "stop" and "remove" of presets named on the command line,
// and "stop --all". Every name is resolved before anything is sent, so a name
// that matches no preset or several changes nothing.
class ControlCommand
{
    Q_DECLARE_TR_FUNCTIONS(ControlCommand)
public:
    // The commands, in the order the help lists them.
    static QStringList names();
    static QString summary(const QString &command);
    static int run(const QString &command, const QStringList &arguments);

    // Sends command (start, pause, stop or remove) for each preset. For the
    // first three it then waits, at most reportWaitSeconds, until every preset
    // whose state the command changes has been reported back by the service,
    // so that what runs next (a "list", say) sees the new state. Returns an
    // exit status; failures are written.
    static int apply(ServiceClient &client, const QString &command, const QVector<Preset> &presets);

    static constexpr int reportWaitSeconds = 5;
};
