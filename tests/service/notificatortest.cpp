// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The notificator against a notification server of the test's own on the
// private session bus, with the notification configuration from the build
// tree.

#include "notificator.h"
#include "zeltest.h"

#include <QApplication>
#include <QDBusConnection>
#include <QThread>

namespace
{
struct Received
{
    QString appName;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
};
} // namespace

class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QVector<Received> received;
    QVector<uint> closed;

public Q_SLOTS:
    uint Notify(const QString &appName,
        uint replacesId,
        const QString &appIcon,
        const QString &summary,
        const QString &body,
        const QStringList &actions,
        const QVariantMap &hints,
        int timeout)
    {
        Q_UNUSED(replacesId)
        Q_UNUSED(appIcon)
        Q_UNUSED(timeout)
        received.append({appName, summary, body, actions, hints});
        return uint(received.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("test");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }
    void CloseNotification(uint id)
    {
        closed.append(id);
        Q_EMIT NotificationClosed(id, 3);
    }

Q_SIGNALS:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString &actionKey);
};

class NotificatorTest : public QObject
{
    Q_OBJECT

    FakeNotificationServer m_server;

private Q_SLOTS:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject(
            QStringLiteral("/org/freedesktop/Notifications"), &m_server, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }

    void init()
    {
        m_server.received.clear();
        m_server.closed.clear();
    }

    void aWarningOffersItsChoicesUntilWithdrawn()
    {
        QVector<int> chosen;
        const quint32 first = Notificator().warn(QStringLiteral("Timer"),
            QStringLiteral("The Lock action will be executed after 00:00:05"),
            {QStringLiteral("Cancel"), QStringLiteral("Postpone 10 minutes")},
            [&chosen](int index) { chosen << index; });
        const quint32 second =
            Notificator().warn(QStringLiteral("Schedule"), QStringLiteral("The Lock action will be executed soon"), {QStringLiteral("Cancel")}, [](int) {});
        QVERIFY(first != 0 && second != first);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.received.size(), 2, 10000);
        const Received &got = m_server.received.at(0);
        QCOMPARE(got.summary, QStringLiteral("Timer"));
        QCOMPARE(got.actions, QStringList({"1", "Cancel", "2", "Postpone 10 minutes"}));
        QCOMPARE(got.hints.value(QStringLiteral("x-kde-appname")).toString(), QStringLiteral("zel-shutdown-scheduler-service"));
        QCOMPARE(got.hints.value(QStringLiteral("x-kde-eventId")).toString(), QStringLiteral("alarm"));

        // The server numbers notifications from 1, in order. A click may
        // come before the notification library has seen the server's id for
        // its notification (a busy machine): clicked again, as a user would.
        for (int i = 0; i < 25 && chosen.isEmpty(); ++i) {
            Q_EMIT m_server.ActionInvoked(1, QStringLiteral("2"));
            QTest::qWait(200);
        }
        QVERIFY(!chosen.isEmpty());
        QCOMPARE(chosen.first(), 1);
        chosen.clear();

        Notificator().withdraw(first);
        Notificator().withdraw(second);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.closed, QVector<uint>({1, 2}), 5000);
        // Withdrawn: its buttons do nothing any more.
        Q_EMIT m_server.ActionInvoked(1, QStringLiteral("1"));
        QTest::qWait(300);
        QVERIFY(chosen.isEmpty());
        Notificator().withdraw(first);
        QCOMPARE(m_server.closed.size(), 2);
    }

    void failuresComeFromAnyThread()
    {
        QThread thread;
        QObject context;
        context.moveToThread(&thread);
        thread.start();
        QMetaObject::invokeMethod(
            &context, [] { Notificator().failed(QStringLiteral("Planned action not carried out"), QString(), true); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        QTRY_COMPARE_WITH_TIMEOUT(m_server.received.size(), 1, 10000);
        QCOMPARE(m_server.received.at(0).body, QString());
        QCOMPARE(m_server.received.at(0).hints.value(QStringLiteral("x-kde-eventId")).toString(), QStringLiteral("failed"));
        QCOMPARE(m_server.received.at(0).hints.value(QStringLiteral("urgency")).toInt(), 0);
    }
};

ZEL_TEST_MAIN_WITH(NotificatorTest, QApplication, false)

#include "notificatortest.moc"
