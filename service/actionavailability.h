// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "desktoproutes.h"

#include <QHash>
#include <QJsonArray>
#include <QObject>

class DesktopProbe;

// What this desktop can do, for the bus method availableActions: the desktop
// is probed, and for the power actions the login manager's Can* answer is
// asked (logind, else ConsoleKit), all without blocking. finished() carries
// the report as compact JSON text, once, from the event loop.
//
// The report is an array with one object per action, in the order of the
// action numbers:
//   {"action_type": 0, "available": true, "route": "logind", "can": "yes"}
//   {"action_type": 5, "available": false, "route": "", "reason": "not available on this desktop"}
// "can" (power actions only) is the login manager's answer: "yes",
// "challenge" (a password is needed), "no" or "na" (this machine cannot);
// "na" also when no login manager could be asked. A power action whose
// route is the login manager itself is not available when it answers "no"
// or "na"; through zel-wm it is, as zel-wm decides for itself.
// Turn On (first, -1) is carried out by the service's own wake alarm
// (WakeAlarm): route "wake alarm", or, where the service may not set one,
// not available with "grant", the one command that gives it the right:
//   {"action_type": -1, "available": false, "route": "", "reason": "...",
//    "grant": "sudo setcap cap_wake_alarm+ep /usr/bin/zel-shutdown-scheduler-service"}
class ActionAvailability : public QObject
{
    Q_OBJECT
public:
    // canWake: whether the service may set wake alarms.
    ActionAvailability(bool canWake, QObject *parent = nullptr);

    void start();

    // The report for a desktop, the Can* answers by action number and the
    // right to wake the machine.
    static QJsonArray report(const DesktopRoutes::Desktop &desktop, const QHash<qint32, QString> &can, bool canWake);

Q_SIGNALS:
    void finished(const QString &json);

private:
    void ask();
    void answered();

    DesktopProbe *m_probe;
    QHash<qint32, QString> m_can;
    int m_waiting = 0;
    bool m_canWake;
};
