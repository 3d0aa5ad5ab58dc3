// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "displayconnection.h"

#include <X11/Xlib.h>

namespace
{
std::mutex connectionMutex;
}

DisplayConnection::DisplayConnection() : m_lock(connectionMutex), m_display(XOpenDisplay(nullptr)) { }

DisplayConnection::~DisplayConnection()
{
    if (m_display) {
        XCloseDisplay(m_display);
    }
}
