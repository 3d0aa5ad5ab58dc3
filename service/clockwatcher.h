// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>

class QSocketNotifier;

// Tells when the wall clock can no longer be trusted to have moved on
// smoothly: it was set or stepped (a timerfd on CLOCK_REALTIME armed with
// TFD_TIMER_CANCEL_ON_SET, which the kernel cancels on every such change),
// or the machine woke up from sleep (logind's PrepareForSleep(false) on the
// system bus; the kernel's cancel on resume is not relied upon). One per
// process, on the main thread; costs nothing while the clock runs on.
class ClockWatcher : public QObject
{
    Q_OBJECT
public:
    explicit ClockWatcher(QObject *parent = nullptr);
    ~ClockWatcher() override;

Q_SIGNALS:
    void clockSet();
    void resumed();

private Q_SLOTS:
    void onPrepareForSleep(bool sleeping);

private:
    bool arm();
    void onCancelled();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
