// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "polkitqueue.h"

#include "actionjob_debug.h"

#include <PolkitQt1/Subject>

#include <QTimer>

namespace
{
constexpr int errorPollMs = 200;
}

PolkitQueue *PolkitQueue::instance()
{
    static PolkitQueue *const queue = new PolkitQueue();
    return queue;
}

PolkitQueue::PolkitQueue(QObject *parent) : QObject(parent), m_errorPoll(new QTimer(this))
{
    m_errorPoll->setInterval(errorPollMs);
    connect(m_errorPoll, &QTimer::timeout, this, [this] {
        PolkitQt1::Authority *authority = PolkitQt1::Authority::instance();
        if (m_inFlight && authority->hasError()) {
            finish(PolkitQt1::Authority::Unknown, authority->errorDetails());
        }
    });
    connect(PolkitQt1::Authority::instance(), &PolkitQt1::Authority::checkAuthorizationFinished, this, [this](PolkitQt1::Authority::Result result) {
        if (m_inFlight) {
            finish(result, QString());
        }
    });
}

void PolkitQueue::check(QObject *context, const QString &actionId, qint64 pid, bool interactive, Done done)
{
    m_queue.enqueue({context, actionId, pid, interactive, std::move(done)});
    if (!m_busy) {
        // Never answered from within check(): the caller's state is settled first.
        m_busy = true;
        QTimer::singleShot(0, this, &PolkitQueue::next);
    }
}

void PolkitQueue::next()
{
    // Requests whose asker is gone are not asked at all.
    while (!m_queue.isEmpty() && !m_queue.head().context) {
        m_queue.dequeue();
    }
    if (m_queue.isEmpty()) {
        m_busy = false;
        return;
    }
    m_busy = true;
    m_current = m_queue.dequeue();
    PolkitQt1::Authority *authority = PolkitQt1::Authority::instance();
    authority->clearError();
    if (!authority->polkitAuthority()) {
        finish(PolkitQt1::Authority::Unknown, QStringLiteral("no polkit authority"));
        return;
    }
    const auto flags = m_current.interactive ? PolkitQt1::Authority::AllowUserInteraction : PolkitQt1::Authority::None;
    m_inFlight = true;
    authority->checkAuthorization(m_current.actionId, PolkitQt1::UnixProcessSubject(m_current.pid), flags);
    m_errorPoll->start();
}

void PolkitQueue::finish(PolkitQt1::Authority::Result result, const QString &error)
{
    m_inFlight = false;
    m_errorPoll->stop();
    PolkitQt1::Authority::instance()->clearError();
    const Request done = std::move(m_current);
    m_current = Request();
    if (!done.context) {
        // Its action was dropped while polkit was still deciding.
        qCDebug(ACTIONJOB) << "polkit answered" << done.actionId << "for a dropped action: answer discarded";
    } else if (done.done) {
        done.done(result, error);
    }
    QTimer::singleShot(0, this, &PolkitQueue::next);
}
