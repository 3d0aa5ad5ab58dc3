// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>

// "add ACTION ...": makes a countdown, a schedule or a daily window, stores
// it with the service under an id chosen here (one whose short form no other
// preset shares), prints the short id and, with --start, starts it. Nothing
// is sent unless every value is understood and the preset would act.
class AddCommand
{
    Q_DECLARE_TR_FUNCTIONS(AddCommand)
public:
    static QString summary();
    static int run(const QStringList &arguments);
};
