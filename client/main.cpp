// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application.h"
#include "zel_version.h"
#include "zelintegration.h"

int main(int argc, char *argv[])
{
    // Sizes follow the screen's scale (before the application object exists).
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    int result;
    {
        Application application(argc, argv);
        zelInit(ZEL_VERSION_STRING, "Scheduler");
        // The name the window's title ends in, in the user's language as the
        // rest of the title (the translation of the window's own title).
        QGuiApplication::setApplicationDisplayName(QCoreApplication::translate("main", "Scheduler"));
        result = application.run();
    }
    return result;
}
