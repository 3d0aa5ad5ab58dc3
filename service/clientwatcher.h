// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

class QDBusServiceWatcher;

// The bus peers that have called the service (by unique name), each for as
// long as it stays on the bus: what is reported only for someone to show, a
// running countdown's every second, is sent while one of them is there.
//
// A peer joins with its first call and leaves when NameOwnerChanged says that
// its name is gone. The bus is asked to watch the name first and then whether
// the name still has an owner; the bus handles one connection's messages in
// order, so a peer gone before the watch was in place is found by that
// answer, and one gone after it by the signal.
//
// Lives on the main thread with the bus objects and is used only there.
class ClientWatcher : public QObject
{
    Q_OBJECT
public:
    ClientWatcher(const QDBusConnection &bus, QObject *parent);

    // A call came from the peer uniqueName. Emits watchedChanged(true), before
    // it returns, when this peer is the only one.
    void add(const QString &uniqueName);
    bool isWatched() const { return !m_clients.isEmpty(); }

Q_SIGNALS:
    // The first peer came (true), or the last one went (false).
    void watchedChanged(bool watched);

private:
    void remove(const QString &uniqueName);

    QDBusConnection m_bus;
    QDBusServiceWatcher *m_watcher;
    QSet<QString> m_clients;
};
