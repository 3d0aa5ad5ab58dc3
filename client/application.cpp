// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "application.h"

#include "backend.h"
#include "translations.h"
#include "view.h"

#include <QIcon>

Application::Application(int &argc, char **argv) : QApplication(argc, argv), m_backend(new Backend), m_view(new View(m_backend))
{
    Translations::install({QStringLiteral("zel-scheduler"), QStringLiteral("zel-scheduler-common")});
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
    m_backend->connectToService();
    return exec();
}
