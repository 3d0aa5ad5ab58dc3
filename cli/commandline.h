// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>

// The program's command line: "--help", "--version", "help [COMMAND]", or a
// command and its arguments, handed to the command.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
public:
    // arguments as QCoreApplication::arguments() gives them, program first.
    // Returns the exit status.
    static int run(const QStringList &arguments);

private:
    static QString help();
};
