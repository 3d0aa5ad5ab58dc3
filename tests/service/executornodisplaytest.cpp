// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// Action jobs in a service that runs without X11 (the offscreen platform, as
// on Wayland): zel-wm cannot be seen, so its route is never taken, and
// without another peer nothing is sent.

#include "actionjob.h"
#include "enumerations.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <QApplication>
#include <QSignalSpy>
#include <QX11Info>

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

    void nothingIsSent_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("display"); // empty: unset
        QTest::newRow("Lock") << int(ActionType::Lock) << QByteArray();
        QTest::newRow("EndSession") << int(ActionType::EndSession) << QByteArray();
        QTest::newRow("Shutdown") << int(ActionType::Shutdown) << QByteArray();
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
        ActionJob job(action);
        QSignalSpy finished(&job, &ActionJob::finished);
        job.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(job.failure(), ActionJob::Failure::NotAvailable);
        // Refused before polkit was asked.
        QCOMPARE(ZelPeers::polkitChecks(m_polkit).size(), 0);
        qunsetenv("DISPLAY");
    }
};

ZEL_TEST_MAIN_WITH(ExecutorNoDisplayTest, QApplication, false)

#include "executornodisplaytest.moc"
