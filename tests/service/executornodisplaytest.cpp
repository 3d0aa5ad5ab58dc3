// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The executor in a service that runs without X11 (the offscreen platform):
// there is no display to send to, so nothing is sent and exec reports false
// with the reason.
// Polkit is first used here from a worker thread, as in the service.

#include "executor.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <PolkitQt1/Authority>

#include <QApplication>
#include <QX11Info>

#include <memory>

class ExecutorNoDisplayTest : public QObject
{
    Q_OBJECT

private:
    ZelPeers::MockPeer m_polkit{
        QStringLiteral("polkitd"), QStringLiteral("org.freedesktop.PolicyKit1"), QStringLiteral("/org/freedesktop/PolicyKit1/Authority")};

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!QX11Info::isPlatformX11());
        QVERIFY(!QX11Info::display());
        QVERIFY(m_polkit.start());
        QVERIFY(m_polkit.mock(QStringLiteral("SetAllowed"), {QStringList{"org.freedesktop.login1.power-off"}}));
    }

    // Allowed by polkit, but there is nothing to send to. The worker thread
    // ends afterwards; the authority it made must outlive it, on the main
    // thread.
    void firstUseFromAWorkerThread()
    {
        bool result = true;
        std::unique_ptr<QThread> worker(QThread::create([&result] { result = Executor().exec(ActionType::Shutdown); }));
        worker->start();
        QVERIFY(ZelPeers::waitFor([&worker] { return worker->isFinished(); }));
        QVERIFY(!result);
        const QList<ZelPeers::Check> checks = ZelPeers::polkitChecks(m_polkit);
        QCOMPARE(checks.size(), 1);
        QCOMPARE(checks[0].actionId, QStringLiteral("org.freedesktop.login1.power-off"));
        worker.reset();
        QCOMPARE(PolkitQt1::Authority::instance()->thread(), qApp->thread());
        QCOMPARE(PolkitQt1::Authority::instance()->checkAuthorizationSync(
                     QStringLiteral("org.freedesktop.login1.power-off"), PolkitQt1::UnixProcessSubject(getppid()), PolkitQt1::Authority::None),
            PolkitQt1::Authority::Yes);
    }

    void nothingIsSent_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("display"); // empty: unset
        QTest::newRow("Lock") << int(ActionType::Lock) << QByteArray();
        QTest::newRow("EndSession") << int(ActionType::EndSession) << QByteArray();
        QTest::newRow("TurnOn") << int(ActionType::TurnOn) << QByteArray();
        QTest::newRow("out of range") << 42 << QByteArray();
        QTest::newRow("Lock, display unreachable") << int(ActionType::Lock) << QByteArray(":97");
    }

    void nothingIsSent()
    {
        QFETCH(int, action);
        QFETCH(QByteArray, display);
        if (display.isEmpty()) {
            qunsetenv("DISPLAY");
        } else {
            qputenv("DISPLAY", display);
        }
        Executor executor;
        QVERIFY(!executor.exec(action));
        QCOMPARE(executor.failure(), ActionFailure::Reason::NoDisplay);
        qunsetenv("DISPLAY");
    }
};

ZEL_TEST_MAIN_WITH(ExecutorNoDisplayTest, QApplication, false)

#include "executornodisplaytest.moc"
