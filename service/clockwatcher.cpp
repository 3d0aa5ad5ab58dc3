// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clockwatcher.h"

#include "clockwatcher_debug.h"

#include <QDBusConnection>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

ClockWatcher::ClockWatcher(QObject *parent) : QObject(parent)
{
    m_fd = ::timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    if (m_fd < 0 || !arm()) {
        qCWarning(CLOCKWATCHER) << "Cannot watch the wall clock for changes:" << std::strerror(errno);
    } else {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &ClockWatcher::onCancelled);
    }
    QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("PrepareForSleep"),
        this,
        SLOT(onPrepareForSleep(bool)));
}

ClockWatcher::~ClockWatcher()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool ClockWatcher::arm()
{
    // An absolute expiry that does not come (the year 2200): the timer exists
    // only to be cancelled.
    itimerspec expiry = {};
    expiry.it_value.tv_sec = 7258118400;
    return ::timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
}

void ClockWatcher::onCancelled()
{
    quint64 expirations = 0;
    // ECANCELED: the clock was set. The timer must be armed again to be
    // cancelled by the next change.
    const ssize_t got = ::read(m_fd, &expirations, sizeof expirations);
    const bool cancelled = got < 0 && errno == ECANCELED;
    if (!arm()) {
        qCWarning(CLOCKWATCHER) << "Cannot watch the wall clock any more:" << std::strerror(errno);
        m_notifier->setEnabled(false);
    }
    if (cancelled) {
        qCDebug(CLOCKWATCHER) << "The wall clock was set";
        Q_EMIT clockSet();
    }
}

void ClockWatcher::onPrepareForSleep(bool sleeping)
{
    if (!sleeping) {
        qCDebug(CLOCKWATCHER) << "Woke up from sleep";
        Q_EMIT resumed();
    }
}
