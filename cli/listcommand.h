// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>

// "list [--json]": the presets as a table, or the service's JSON array as it
// is.
class ListCommand
{
    Q_DECLARE_TR_FUNCTIONS(ListCommand)
public:
    static QString summary();
    static int run(const QStringList &arguments);
};
