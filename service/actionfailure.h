// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDateTime>
#include <QString>

// Why a planned action was not carried out, and how the user hears of it: a
// desktop notification of the event "failed" (separate from the warning
// "alarm") that names the action and the reason in one translated sentence.
namespace ActionFailure
{
enum class Reason {
    None,
    NotAuthorized, // polkit said no
    Dismissed, // the user refused in the password dialog
    AuthorityUnavailable, // polkit could not be asked
    NoDisplay, // no X11 display to reach the window manager
    NoWindowManager, // no window manager took the command
    NotSaved, // the preset's state could not be written to the settings file
    Abandoned, // the preset was removed or replaced while its action waited
    // The routes of the desktop (see DesktopRoutes).
    NotAvailable, // this desktop has no route for the action
    Blocked, // an inhibitor lock blocks it (detail: "<who>: <why>")
    NoAnswer, // the peer did not answer in time (detail: the route in words)
    PeerFailed, // the peer answered with an error (detail: its words)
    NoSession, // the login manager knows no session of the service
    NotLocked, // the session was asked to lock, and nothing did
    // Skipped: its time passed more than a minute before the service could
    // act (detail: the time it was planned for).
    Skipped, // the machine slept or the service was held up
    SkippedClockSet, // the wall clock was set past it
    SkippedNotRunning, // the service was not running at that time
    PostponedLost, // postponed from the warning, and the service restarted
    // Not started: the preset could never act (detail: why, in
    // PresetRules' words).
    NeverActs,
};

// The sentence that tells the user; detail is the system's words for
// NotSaved, the time planned for the skipped ones, the reason for NeverActs,
// and what the route reasons above say. Empty for None and Abandoned, which
// are not told.
QString text(qint32 action, Reason reason, const QString &detail = QString());

// Raises the notification for text() (nothing when it is empty). A refusal
// the user gave in the password dialog is told quietly (low urgency).
void tell(qint32 action, Reason reason, const QString &detail = QString());
// The detail of the skipped ones: planned, the moment the action was due.
QString plannedText(const QDateTime &planned);

// The notification for settings that could not be written at all: raised
// once when writing starts to fail, whatever change was being written.
void tellNotSaved(const QString &path, const QString &detail);
} // namespace ActionFailure
