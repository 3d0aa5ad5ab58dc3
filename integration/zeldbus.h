// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <functional>

class QObject;

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

// The same questions without waiting: each returns at once, and answer is
// called later from the event loop of context's thread with the value above
// (also -1 when the question cannot be asked at all). Nothing is called once
// context is gone.
using ZelLogindAnswer = std::function<void(int)>;
void dbus_Logind_CanSuspendAsync(QObject *context, const ZelLogindAnswer &answer);
void dbus_Logind_CanHybridSleepAsync(QObject *context, const ZelLogindAnswer &answer);
void dbus_Logind_CanHibernateAsync(QObject *context, const ZelLogindAnswer &answer);
