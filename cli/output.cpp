// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "output.h"

#include <QTextStream>

#include <cstdio>

namespace Output
{
void line(const QString &text)
{
    static QTextStream out(stdout);
    out << text << '\n';
    out.flush();
}

void error(const QString &message)
{
    static QTextStream err(stderr);
    err << "zel-scheduler-cli: " << message << '\n';
    err.flush();
}

int fail(int status, const QString &message)
{
    error(message);
    return status;
}
} // namespace Output
