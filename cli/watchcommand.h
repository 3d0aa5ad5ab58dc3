// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>

// "watch [--json]": one line for each change the service signals, and for
// the service leaving or coming back to the bus, until SIGINT or SIGTERM
// ends it with status 0.
class WatchCommand
{
    Q_DECLARE_TR_FUNCTIONS(WatchCommand)
public:
    static QString summary();
    static int run(const QStringList &arguments);
};
