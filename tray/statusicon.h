// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "traysummary.h"

#include <QObject>

class KStatusNotifierItem;
class QMenu;
class QTimer;
class PresetMirror;

// The status icon in the panel (a KStatusNotifierItem): hidden (Passive)
// while nothing runs, shown (Active) while something does, asking for
// attention while a running preset is inside its warning lead. Its icon is
// the next action's, its title and tooltip say what comes next (TraySummary),
// and its menu, exported to the tray over dbusmenu, has a section per running
// preset with Stop and, for countdowns and schedules, "Postpone 10 minutes"
// (the warning's rule, carried out by the service), then Stop All, Open
// Scheduler and Quit. A left click opens the window.
//
// The texts are brought up to date when the service announces a change, and
// while the icon is shown also when they change with the clock (once a
// minute at most); while it is hidden nothing wakes the program. Where the
// desktop has no tray host (no org.kde.StatusNotifierWatcher, or one without
// a host) the item stays Passive, and that is logged once.
//
// The icon only tells the service what the user chose; it never acts on the
// machine itself. GUI thread only.
class StatusIcon : public QObject
{
    Q_OBJECT
public:
    StatusIcon(PresetMirror *mirror, QObject *parent = nullptr);

private Q_SLOTS:
    // Asks the watcher whether a tray host is registered.
    void askHost();

private:
    void refresh();
    void rebuildMenu(const std::vector<TraySummary::Entry> &entries);
    void setHostPresent(bool present);
    void openScheduler();

    PresetMirror *m_mirror;
    KStatusNotifierItem *m_item;
    QMenu *m_menu;
    QTimer *m_clock;
    // What the menu was built from.
    std::vector<TraySummary::Entry> m_menuEntries;
    bool m_menuBuilt = false;
    bool m_hostPresent = false;
    bool m_toldNoHost = false;
    int m_hostAsk = 0; // only the answer to the latest question counts
};
