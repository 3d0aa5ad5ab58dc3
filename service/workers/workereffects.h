// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "actionfailure.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <memory>

class QObject;

// Everything the workers do outside themselves: warnings on the desktop, the
// news that an action was not carried out, the note of a postponement that
// must outlive the service, and the action itself. The service uses the real
// ones (desktop()); the tests pass one that records.
//
// Every call comes from the main thread, where the workers live; none blocks.
class WorkerEffects
{
public:
    virtual ~WorkerEffects() = default;

    // A warning that stays on screen, offering choices (the texts of its
    // buttons), until it is withdrawn. chosen(index into choices) runs on the
    // main thread when the user picks one, never after withdraw(). Returns
    // the warning's id, never 0.
    virtual quint32 warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen) = 0;
    // Closes the warning with this id if it is still open.
    virtual void withdraw(quint32 id) = 0;

    // Tells the user that action was not carried out (see ActionFailure::text
    // for detail); nothing for the reasons that are not told. Never blocks.
    virtual void tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail) = 0;
    // For the skipped ones: planned is the moment the action was due.
    void tellSkipped(qint32 action, ActionFailure::Reason reason, const QDateTime &planned)
    {
        tellFailure(action, reason, ActionFailure::plannedText(planned));
    }

    // Tells the user, quietly, that the machine woke from sleep for the Turn
    // On preset of that name.
    virtual void tellWoken(const QString &name) = 0;

    // Keeps, beyond the end of the service, that preset's action due at
    // original is postponed to moment (one per preset).
    virtual void notePostponed(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment) = 0;
    // Its postponed occurrence is done with.
    virtual void dropPostponed(const QUuid &preset) = 0;
    // The occurrence of preset that a postponement lost with the last end of
    // the service had moved away; invalid if none.
    virtual QDateTime lostOriginal(const QUuid &preset) const = 0;

    // done(reason, detail): None when the command was sent, otherwise why not
    // (already logged, not yet told; see ActionFailure::text for detail).
    using Done = std::function<void(ActionFailure::Reason reason, const QString &detail)>;
    // Starts carrying out action and returns at once; it may wait for
    // minutes (a password dialog) without holding anything up. done runs
    // later, once, from the event loop. Once context is destroyed nothing is
    // sent that was not sent yet, and done never runs: a preset that goes
    // away drops its action that way, even while a dialog is open.
    virtual void carryOut(qint32 action, QObject *context, Done done) = 0;

    // The real ones: Notificator, Postponements and ActionJob. Made once, when
    // the service starts; it tells then of the postponements that the last
    // run left (Postponements::tellLeftOver).
    static std::shared_ptr<WorkerEffects> desktop();
};
