// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QString>

// Raises one desktop notification (event "alarm" of the service's
// notification configuration). Holds no state; make a temporary for every
// call. Callable from any thread and never blocks the caller.
class Notificator
{
    Q_GADGET
public:
    Q_INVOKABLE void notify(const QString &title, const QString &body);
};
