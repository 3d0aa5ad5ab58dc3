// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QSet>
#include <QString>
#include <QVariantList>

// Which program carries out an action on this desktop, chosen from what the
// desktop shows: the names that have owners on the two buses, whether zel-wm
// runs, XDG_CURRENT_DESKTOP and XDG_SEAT_PATH. Pure: nothing is asked here
// (DesktopProbe gathers the inputs), so that the choice is one table.
//
// Each action has its routes in a fixed order; the first whose peer is on the
// bus is used, and only that one. zel-wm, wherever it runs, comes before all.
// XDG_CURRENT_DESKTOP only breaks ties: when several peers are there, one that
// belongs to the desktop named there goes first (GNOME also answers as
// org.freedesktop.ScreenSaver, but only to say NotSupported).
namespace DesktopRoutes
{
struct Desktop
{
    QSet<QString> sessionNames; // names with an owner on the session bus
    QSet<QString> systemNames; // the same on the system bus
    QString currentDesktop; // XDG_CURRENT_DESKTOP, a colon-separated list
    QString seatPath; // XDG_SEAT_PATH, set by LightDM and SDDM
    bool zelWm = false; // zel-wm advertises itself on the X display
};

struct Route
{
    enum Kind {
        None, // no route on this desktop
        ZelWm, // the text command to zel-wm over X
        Call, // one method call, fully described below
        OwnSession, // a method of the service's own logind session; its path is found when the job runs
    };
    Kind kind = None;
    QString name; // in words, as the user reads it: "logind", "Plasma session", ...
    bool systemBus = false;
    QString service;
    QString path; // empty for OwnSession
    QString interface;
    QString method;
    QVariantList arguments;

    bool isAvailable() const { return kind != None; }
    // The service itself calls the login manager: polkit is then asked about
    // the service's own process, the subject that logind checks.
    bool callsLoginManager() const;
};

Route choose(qint32 action, const Desktop &desktop);

// The words for "no route": the reason shown when none is found.
QString notAvailableText();
} // namespace DesktopRoutes
