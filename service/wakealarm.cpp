// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "wakealarm.h"

#include "enumerations.h"
#include "occurrence.h"
#include "wakealarm_debug.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace
{
qint64 clockMSecs(clockid_t clock)
{
    timespec now = {};
    ::clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// CLOCK_BOOTTIME counts the time asleep, CLOCK_MONOTONIC does not.
qint64 asleepSinceBoot()
{
    return clockMSecs(CLOCK_BOOTTIME) - clockMSecs(CLOCK_MONOTONIC);
}

// More than the two clocks drift apart between two readings.
constexpr qint64 sleptMSecs = 1000;
// How far a wake may lie from the occurrence it was for.
constexpr qint64 wakeToleranceMSecs = 10 * 1000;
} // namespace

WakeAlarm::WakeAlarm(QObject *parent) : QObject(parent)
{
    m_fd = ::timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC | TFD_NONBLOCK);
    if (m_fd < 0) {
        qCWarning(WAKEALARM) << "Cannot set wake alarms, Turn On is not available:" << std::strerror(errno) << "- grant the right with" << grantCommand();
        return;
    }
    auto *notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &WakeAlarm::onExpired);
}

WakeAlarm::~WakeAlarm()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

QString WakeAlarm::grantCommand()
{
    return QStringLiteral("sudo setcap cap_wake_alarm+ep %1").arg(QCoreApplication::applicationFilePath());
}

void WakeAlarm::arm(const QDateTime &moment)
{
    if (m_fd < 0) {
        return;
    }
    m_asleepMSecs = asleepSinceBoot();
    if (moment == m_armedAt) {
        return;
    }
    if (!moment.isValid() && disarm()) {
        return;
    }
    itimerspec expiry = {};
    if (moment.isValid()) {
        const qint64 ms = moment.toMSecsSinceEpoch();
        expiry.it_value.tv_sec = time_t(ms / 1000);
        expiry.it_value.tv_nsec = long(ms % 1000) * 1000000;
    }
    if (::timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &expiry, nullptr) != 0) {
        qCWarning(WAKEALARM) << "Cannot arm the wake alarm at" << moment << ":" << std::strerror(errno);
        m_armedAt = QDateTime();
        return;
    }
    m_armedAt = moment;
    if (moment.isValid()) {
        qCInfo(WAKEALARM) << "The machine wakes at" << moment.toString(Qt::ISODate);
    } else {
        qCDebug(WAKEALARM) << "No wake alarm";
    }
}

bool WakeAlarm::disarm()
{
    // Disarmed in place, an alarm timer goes on showing its last expiry in
    // /proc/PID/fdinfo, where one checks it; a fresh timer in its place (the
    // same descriptor, so the notifier watches on) shows none.
    const int fresh = ::timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC | TFD_NONBLOCK);
    if (fresh < 0 || ::dup3(fresh, m_fd, O_CLOEXEC) < 0) {
        if (fresh >= 0) {
            ::close(fresh);
        }
        return false;
    }
    ::close(fresh);
    m_armedAt = QDateTime();
    qCDebug(WAKEALARM) << "No wake alarm";
    return true;
}

void WakeAlarm::onExpired()
{
    quint64 expirations = 0;
    if (::read(m_fd, &expirations, sizeof expirations) != sizeof expirations) {
        return;
    }
    // Spent: the next arm() sets it again, whatever the moment.
    m_armedAt = QDateTime();
    const bool slept = asleepSinceBoot() - m_asleepMSecs > sleptMSecs;
    qCInfo(WAKEALARM) << "Wake alarm expired" << (slept ? "after the machine slept" : "");
    Q_EMIT expired(slept);
}

QDateTime WakeAlarm::due(const QVector<Preset::Ptr> &presets, const QDateTime &now)
{
    QDateTime earliest;
    for (const Preset::Ptr &preset : presets) {
        if (preset->actionType() != ActionType::TurnOn || preset->presetType() != PresetType::Scheduled || !preset->isRunning() || preset->isPaused()) {
            continue;
        }
        const QDateTime next = Occurrence::firstAfter(preset->schedule(), now);
        if (next.isValid() && (!earliest.isValid() || next < earliest)) {
            earliest = next;
        }
    }
    return earliest;
}

bool WakeAlarm::wokenFor(const QDateTime &resumed, const QDateTime &occurrence)
{
    return resumed.isValid() && occurrence.isValid() && std::abs(resumed.msecsTo(occurrence)) <= wakeToleranceMSecs;
}
