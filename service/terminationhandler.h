// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (as sent when the session ends) into an
// orderly end: the callback runs on the main thread, then the event loop quits.
// The signal handler itself only writes one byte to a socket pair, which is
// all that is safe to do inside a signal handler.
class TerminationHandler : public QObject
{
    Q_OBJECT
public:
    TerminationHandler(std::function<void()> beforeQuit, QObject *parent = nullptr);
    ~TerminationHandler() override;

private:
    void onSignal();

    std::function<void()> m_beforeQuit;
    QSocketNotifier *m_notifier = nullptr;
};
