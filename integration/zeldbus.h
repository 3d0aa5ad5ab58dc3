// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The desktop's D-Bus helper library: questions to the login manager
// (org.freedesktop.login1 on the system bus).
//
// Each function answers 1 when the login manager says "yes" or "challenge"
// (allowed, possibly after authentication), 0 when it says "no" or "na" (or
// anything else), and -1 when the question could not be asked or was not
// answered in time. The wait is bounded by zelDBusLogindTimeoutMs.

constexpr int zelDBusLogindTimeoutMs = 1500;

int dbus_Logind_CanSuspend();
int dbus_Logind_CanHybridSleep();
int dbus_Logind_CanHibernate();
