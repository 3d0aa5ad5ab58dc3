// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QApplication>

class Backend;
class View;

// The client's application object: owns the backend and the view, and
// speaks the user's language.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    ~Application() override;

    // Shows the window, starts the exchange with the service and the login
    // manager (without waiting for either) and runs the event loop; returns
    // its exit code.
    int run();

    Backend *backend() const { return m_backend; }
    View *view() const { return m_view; }

private:
    Backend *m_backend;
    View *m_view;
};
