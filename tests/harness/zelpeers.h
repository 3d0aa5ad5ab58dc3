// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// Peers for the C++ tests: python3-dbusmock
// templates on the private system bus, and the stand-in window manager on the
// test display. Readiness is always awaited explicitly, with a bound.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <functional>

#ifndef ZEL_BUILD_BIN_DIR
#error "ZEL_BUILD_BIN_DIR must name the build tree's bin folder"
#endif

namespace ZelPeers
{
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 10000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

// Complete lines gathered from one channel of a process.
class LineBuffer
{
public:
    void feed(const QByteArray &data)
    {
        m_partial += data;
        int end;
        while ((end = m_partial.indexOf('\n')) >= 0) {
            m_lines << QString::fromLocal8Bit(m_partial.left(end));
            m_partial.remove(0, end + 1);
        }
    }
    QStringList &all() { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    QByteArray m_partial;
    QStringList m_lines;
};

// A python3-dbusmock template on the system bus, e.g. "polkitd" or "logind",
// optionally with template parameters (logind's Can* answers, say).
// What it was called with is asked through its GetMethodCalls.
class MockPeer
{
public:
    MockPeer(const QString &templateName, const QString &busName, const QString &path, const QJsonObject &parameters = {})
        : m_template(templateName), m_busName(busName), m_path(path), m_parameters(parameters)
    {
    }
    ~MockPeer() { stop(); }

    bool start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        QStringList arguments{QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"), QStringLiteral("--template"), m_template};
        if (!m_parameters.isEmpty()) {
            arguments << QStringLiteral("--parameters") << QString::fromUtf8(QJsonDocument(m_parameters).toJson(QJsonDocument::Compact));
        }
        m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
        if (!m_process.waitForStarted(5000)) {
            return false;
        }
        return waitFor([this] { return QDBusConnection::systemBus().interface()->isServiceRegistered(m_busName).value(); });
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning) {
            return;
        }
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        waitFor([this] { return !QDBusConnection::systemBus().interface()->isServiceRegistered(m_busName).value(); });
    }

    // Calls a method of org.freedesktop.DBus.Mock and returns the answer.
    QDBusMessage call(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_busName, m_path, QStringLiteral("org.freedesktop.DBus.Mock"), method);
        message.setArguments(arguments);
        return QDBusConnection::systemBus().call(message, QDBus::Block, 10000);
    }

    // The same, true when it succeeded.
    bool mock(const QString &method, const QVariantList &arguments = {}) { return call(method, arguments).type() == QDBusMessage::ReplyMessage; }

private:
    QString m_template;
    QString m_busName;
    QString m_path;
    QJsonObject m_parameters;
    QProcess m_process;
};

// One CheckAuthorization as polkitd's mock recorded it.
struct Check
{
    QString subjectKind;
    qint64 pid = -1;
    QString actionId;
    uint flags = 0;
};

// The CheckAuthorization calls a polkitd mock received: the answer to its
// GetMethodCalls("CheckAuthorization"), a(tav), taken apart.
inline QList<Check> polkitChecks(const QDBusMessage &reply)
{
    QList<Check> result;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return result;
    }
    const QDBusArgument calls = reply.arguments().constFirst().value<QDBusArgument>();
    calls.beginArray();
    while (!calls.atEnd()) {
        qulonglong time = 0;
        QList<QVariant> arguments;
        calls.beginStructure();
        calls >> time;
        calls.beginArray();
        while (!calls.atEnd()) {
            QDBusVariant argument;
            calls >> argument;
            arguments << argument.variant();
        }
        calls.endArray();
        calls.endStructure();

        Check check;
        if (arguments.size() == 5) {
            const QDBusArgument subject = arguments[0].value<QDBusArgument>();
            QVariantMap details;
            subject.beginStructure();
            subject >> check.subjectKind >> details;
            subject.endStructure();
            check.pid = details.value(QStringLiteral("pid"), -1).toLongLong();
            check.actionId = arguments[1].toString();
            check.flags = arguments[3].toUInt();
        }
        result << check;
    }
    calls.endArray();
    return result;
}

inline QList<Check> polkitChecks(MockPeer &polkit)
{
    return polkitChecks(polkit.call(QStringLiteral("GetMethodCalls"), {QStringLiteral("CheckAuthorization")}));
}

// The stand-in window manager: zel-wm-stub on the test display.
class WmStub
{
public:
    ~WmStub() { stop(); }

    bool start(const QStringList &arguments = {})
    {
        m_out = LineBuffer();
        m_err = LineBuffer();
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(QStringLiteral(ZEL_BUILD_BIN_DIR "/zel-wm-stub"), arguments);
        if (!m_process.waitForStarted(5000)) {
            return false;
        }
        return waitFor([this] {
            m_err.feed(m_process.readAllStandardError());
            return !m_err.all().filter(QStringLiteral("zel-wm-stub: ready")).isEmpty() || m_process.state() == QProcess::NotRunning;
        }) &&
            m_process.state() == QProcess::Running;
    }

    // Ends it the polite way: it withdraws its advertisement.
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning) {
            return;
        }
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Ends it without a chance to clean up: the root window keeps naming its
    // window, which the server destroys.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool isRunning() const { return m_process.state() == QProcess::Running; }

    QStringList lines()
    {
        m_out.feed(m_process.readAllStandardOutput());
        return m_out.all();
    }

    bool waitForLines(int count, int timeoutMs = 10000)
    {
        return waitFor([this, count] { return lines().size() >= count; }, timeoutMs);
    }

    void clear()
    {
        lines();
        m_out.clear();
    }

private:
    QProcess m_process;
    LineBuffer m_out;
    LineBuffer m_err;
};
} // namespace ZelPeers
