// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>

// "check FILE...": validates administrators' drop-in files offline, by the
// rules the service reads them with (ManagedPresets::parse), judging
// schedules from now. Writes one sentence per problem to standard error and
// exits 1 when any file has one. Never asks the service, so that it serves as
// a deployment tool's validation (Ansible's "validate", which passes a
// temporary file of any name) and in an administrator's own CI.
class CheckCommand
{
    Q_DECLARE_TR_FUNCTIONS(CheckCommand)
public:
    static QString summary();
    static int run(const QStringList &arguments);
};
