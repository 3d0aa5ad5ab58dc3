// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "traysummary.h"

#include <QObject>
#include <QStringList>
#include <QVector>

#include <vector>

class QDBusPendingCall;
class QDBusServiceWatcher;
class RuVelmoraShutdownSchedulerServicePresetControllerInterface;

// The scheduler service's presets as the tray sees them: fetched whenever
// the service comes onto the session bus and kept current by its change
// signals. The tray never starts the service: while it is away nothing is
// counted down or scheduled, and the mirror is empty.
//
// Every call is asynchronous, made and answered on the GUI thread
// (QDBusPendingCallWatcher); the mirror is used from that thread only.
// Changes announced while the list is being fetched are replayed on it in
// order, as the window does.
class PresetMirror : public QObject
{
    Q_OBJECT
public:
    explicit PresetMirror(QObject *parent = nullptr);

    const std::vector<TraySummary::Planned> &planned() const { return m_planned; }

    void stop(const QString &id);
    void stopAll();
    void postpone(const QString &id);

Q_SIGNALS:
    void changed();

private:
    void fetch();
    void update(const QString &json);
    void remove(const QString &id);
    void send(const QDBusPendingCall &call, const QString &what);

    RuVelmoraShutdownSchedulerServicePresetControllerInterface *m_proxy;
    QDBusServiceWatcher *m_watcher;
    std::vector<TraySummary::Planned> m_planned;
    QStringList m_actionNames;
    int m_fetch = 0; // only the answer to the latest fetch counts
    bool m_fetching = false;
    QVector<QPair<bool, QString>> m_announced; // (removed, text) while fetching
};
