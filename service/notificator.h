// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// Raises desktop notifications of the service's notification configuration:
// the warning before an action (event "alarm"), the news that an action
// was not carried out (event "failed") and that the machine woke for a Turn On
// (event "woken"). Holds no state of its own; make a
// temporary for every call. failed() may be called from any thread and never
// blocks the caller; warn() and withdraw() belong to the main thread, where
// the workers live.
class Notificator
{
    Q_GADGET
public:
    // Quiet ones (the user's own refusal) come with low urgency.
    void failed(const QString &title, const QString &body, bool quiet);

    // "Woken up for <name>", with low urgency. Main thread only.
    void woken(const QString &name);

    // A warning that stays on screen, offering choices (the texts of its
    // buttons), until it is withdrawn. chosen(index into choices) runs on the
    // main thread when the user picks one; never after withdraw(). Returns
    // the warning's id, never 0.
    quint32 warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen);
    // Closes the warning with this id if it is still open (0: none).
    void withdraw(quint32 id);
};
