// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "presetcontroller.h"
#include "terminationhandler.h"
#include "translations.h"
#include "zel_version.h"
#include "zelintegration.h"

#include <KDBusService>
#include <QCoreApplication>

#include <sched.h>

int main(int argc, char *argv[])
{
    // Background work only, a little at a time: as a batch task (inherited by
    // every thread made from here on) waking one of its threads never
    // preempts the thread that woke it, nor anything interactive. What waits
    // is a few milliseconds at most, far within the precision promised.
    const sched_param batch = {};
    sched_setscheduler(0, SCHED_BATCH, &batch);

    // No display connection: the bus may start the service before the
    // session has exported DISPLAY, and on Wayland there is none. Only the
    // zel-wm route opens one, for each action (see ActionJob).
    QCoreApplication app(argc, argv);
    zelInit(ZEL_VERSION_STRING, "Zavirivoz Odoriz");
    // The notifications speak the user's language; the log stays as it is.
    Translations::install({QStringLiteral("zel-shutdown-scheduler-service"), QStringLiteral("zel-scheduler-common")});

    KDBusService service(KDBusService::Unique);

    PresetController *controller = PresetController::instance();

    // Ended by the session: workers stopped, pending state written.
    TerminationHandler termination([controller] { controller->shutdown(); });
    // Without its bus the service must not go on: another instance may
    // already act on the same presets. A non-zero status has it restarted.
    QObject::connect(controller, &PresetController::busLost, &app, [controller] {
        controller->shutdown();
        QCoreApplication::exit(1);
    });
    const int status = controller->isOnBus() ? app.exec() : 1;
    // Whatever ended the loop: workers ended, actions that wait dropped,
    // state written.
    controller->shutdown();
    return status;
}
