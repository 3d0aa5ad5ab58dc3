// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetcontroller.h"
#include "storage.h"
#include "terminationhandler.h"
#include "zelintegration.h"

#include <KDBusService>
#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    zelInit("0.1.0", "Zavirivoz Odoriz");

    KDBusService service(KDBusService::Unique);

    PresetController *controller = PresetController::instance();

    // The controller is never torn down, so its settings store would never
    // flush on its own at exit: write what is pending when the session ends us.
    TerminationHandler termination([controller] { controller->storage()->sync(); });

    return app.exec();
}
