// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QString>

// Raises desktop notifications of the service's notification configuration:
// the warning before an action (event "alarm") and the news that an action
// was not carried out (event "failed"). Holds no state; make a temporary for
// every call. Callable from any thread and never blocks the caller.
class Notificator
{
    Q_GADGET
public:
    Q_INVOKABLE void notify(const QString &title, const QString &body);
    // Quiet ones (the user's own refusal) come with low urgency.
    void failed(const QString &title, const QString &body, bool quiet);
};
