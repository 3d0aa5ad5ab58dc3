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
    QVariantMap hints;
};
} // namespace

class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QVector<Received> received;

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
        Q_UNUSED(actions)
        Q_UNUSED(timeout)
        received.append({appName, summary, body, hints});
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
    void CloseNotification(uint id) { Q_UNUSED(id) }

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

    void init() { m_server.received.clear(); }

    void everyCallFromAWorkerThreadGivesItsOwnNotification()
    {
        QThread thread;
        QObject context;
        context.moveToThread(&thread);
        thread.start();
        for (int i = 1; i <= 2; ++i) {
            QMetaObject::invokeMethod(
                &context,
                [i] { Notificator().notify(QStringLiteral("Timer"), QStringLiteral("The Lock action will be executed after 00:00:0%1").arg(i)); },
                Qt::BlockingQueuedConnection);
        }
        thread.quit();
        thread.wait();

        QTRY_COMPARE_WITH_TIMEOUT(m_server.received.size(), 2, 10000);
        for (int i = 0; i < 2; ++i) {
            const Received &got = m_server.received.at(i);
            QCOMPARE(got.summary, QStringLiteral("Timer"));
            QCOMPARE(got.body, QStringLiteral("The Lock action will be executed after 00:00:0%1").arg(i + 1));
            QCOMPARE(got.hints.value(QStringLiteral("x-kde-appname")).toString(), QStringLiteral("zel-shutdown-scheduler-service"));
            QCOMPARE(got.hints.value(QStringLiteral("x-kde-eventId")).toString(), QStringLiteral("alarm"));
            QCOMPARE(got.hints.value(QStringLiteral("urgency")).toInt(), 1);
        }
        QTest::qWait(300);
        QCOMPARE(m_server.received.size(), 2);
    }

    void emptyTextsArePassedOn()
    {
        Notificator().notify(QString(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(m_server.received.size(), 1, 10000);
        QCOMPARE(m_server.received.at(0).body, QString());
    }
};

ZEL_TEST_MAIN_WITH(NotificatorTest, QApplication, false)

#include "notificatortest.moc"
