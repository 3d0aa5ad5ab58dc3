// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "commandline.h"
#include "translations.h"
#include "zel_version.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zel-scheduler-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION_STRING));
    Translations::install({QStringLiteral("zel-scheduler-cli"), QStringLiteral("zel-scheduler-common")});
    return CommandLine::run(QCoreApplication::arguments());
}
