// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "desktoproutes.h"

#include <QObject>

class QDBusPendingCallWatcher;

// Gathers what DesktopRoutes chooses by, anew each time: the names that
// have owners on the session and system buses (ListNames on each, without
// blocking), XDG_CURRENT_DESKTOP and XDG_SEAT_PATH as the service's
// environment has them, and whether zel-wm runs. A bus that cannot be
// reached counts as one without names. Emits finished() once, never from
// start() itself.
class DesktopProbe : public QObject
{
    Q_OBJECT
public:
    explicit DesktopProbe(QObject *parent = nullptr);

    void start();
    const DesktopRoutes::Desktop &desktop() const { return m_desktop; }

    // Whether zel-wm advertises itself on the X display DISPLAY names: the
    // window that the root window's _NET_SUPPORTING_WM_CHECK names, naming
    // itself, is called zel-wm (any name beginning so). Other window
    // managers advertise themselves the same way and must not be taken for
    // it. Opens an X connection only when DISPLAY is set; a few short round
    // trips.
    static bool zelWmRuns();

Q_SIGNALS:
    void finished();

private:
    void listNames(bool systemBus);
    void answered(QDBusPendingCallWatcher *watcher, bool systemBus);

    DesktopRoutes::Desktop m_desktop;
    int m_waiting = 0;
};
