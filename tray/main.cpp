// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetmirror.h"
#include "statusicon.h"
#include "translations.h"
#include "zel_version.h"
#include "zelintegration.h"

#include <KDBusService>

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication application(argc, argv);
    zelInit(ZEL_VERSION_STRING, "Scheduler Status");
    // The menu's dialogs are none, and no window closing may end the icon.
    QApplication::setQuitOnLastWindowClosed(false);
    Translations::install({QStringLiteral("zel-scheduler-tray"), QStringLiteral("zel-scheduler-common")});
    // One icon per session: a second start ends here.
    KDBusService service(KDBusService::Unique);

    PresetMirror mirror;
    StatusIcon icon(&mirror);
    return application.exec();
}
