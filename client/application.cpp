// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application.h"

#include "backend.h"
#include "view.h"

#include <QIcon>
#include <QTimer>
#include <QWindow>

#include <algorithm>

Application::Application(int &argc, char **argv) : QApplication(argc, argv), m_backend(new Backend), m_view(new View(m_backend))
{
    setWindowIcon(QIcon::fromTheme(QStringLiteral("system-schedule")));
}

Application::~Application()
{
    delete m_view;
    delete m_backend;
}

int Application::run()
{
    m_view->load();
    m_backend->checkConnection();

    // For start-up tests: ZEL_SCHEDULER_QUIT_AFTER_MS=<n> ends the event loop
    // n milliseconds after it started, with exit code 0 when a window is
    // shown by then and 1 when none is.
    const int quitAfter = qEnvironmentVariableIntValue("ZEL_SCHEDULER_QUIT_AFTER_MS");
    if (quitAfter > 0) {
        QTimer::singleShot(quitAfter, this, [] {
            const QWindowList windows = topLevelWindows();
            const bool shown = std::any_of(windows.cbegin(), windows.cend(), [](const QWindow *window) { return window->isVisible(); });
            exit(shown ? 0 : 1);
        });
    }

    return exec();
}
