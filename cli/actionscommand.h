// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>
#include <QJsonArray>
#include <QStringList>
#include <QVector>

// "actions [--json]": what this desktop can do, as the service sees it: each
// action, whether it is available, and how it is carried out (the route, a
// password needed) or why not. The first thing to run when an action did
// not happen.
class ActionsCommand
{
    Q_DECLARE_TR_FUNCTIONS(ActionsCommand)
public:
    static QString summary();
    static int run(const QStringList &arguments);

    // The table's rows, header first (ACTION, AVAILABLE, HOW), from the
    // service's availableActions array. Pure. Entries for actions the
    // command line has no name for are left out.
    static QVector<QStringList> rows(const QJsonArray &report);
};
