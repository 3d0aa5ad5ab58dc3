// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application.h"
#include "view.h"
#include "zel_version.h"
#include "zelintegration.h"

#include <KDBusService>

#include <QWindow>

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
        // One window per session: a second start (from the menu, the status
        // icon) raises this one and ends there. Without a session bus the
        // window still opens and says that the service cannot be reached.
        KDBusService service(KDBusService::Unique | KDBusService::NoExitOnFailure);
        QObject::connect(&service, &KDBusService::activateRequested, &application, [&application] {
            if (auto *window = qobject_cast<QWindow *>(application.view()->rootObject())) {
                window->show();
                window->raise();
                window->requestActivate();
            }
        });
        result = application.run();
    }
    return result;
}
