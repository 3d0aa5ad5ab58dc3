// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "terminationhandler.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
int signalFds[2] = {-1, -1};

void handleSignal(int)
{
    const char byte = 1;
    // Nothing to do on failure: a byte is already pending then.
    [[maybe_unused]] ssize_t written = ::write(signalFds[0], &byte, 1);
}
} // namespace

TerminationHandler::TerminationHandler(std::function<void()> beforeQuit, QObject *parent) : QObject(parent), m_beforeQuit(std::move(beforeQuit))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalFds) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(signalFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationHandler::onSignal);

    struct sigaction action = {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
}

TerminationHandler::~TerminationHandler()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
}

void TerminationHandler::onSignal()
{
    char byte;
    while (::read(signalFds[1], &byte, 1) > 0) { }
    if (m_beforeQuit) {
        m_beforeQuit();
    }
    QCoreApplication::quit();
}
