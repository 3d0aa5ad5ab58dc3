// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "zelcore.h"

#include <mutex>

// A connection of its own to the X11 display that DISPLAY names, open for the
// lifetime of the object. The service keeps no display connection otherwise,
// so that it comes up (and stays up) without a display. Xlib keeps
// process-wide state (its error handler among it), so only one connection
// exists at a time: the constructor waits until the previous one is closed.
class DisplayConnection
{
public:
    DisplayConnection();
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection &) = delete;
    DisplayConnection &operator=(const DisplayConnection &) = delete;

    // Null when there is no display to connect to.
    Display *display() const { return m_display; }

private:
    std::unique_lock<std::mutex> m_lock;
    Display *m_display;
};
