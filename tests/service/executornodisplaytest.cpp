// The executor in a service that runs without X11 (the offscreen platform):
// there is no display to send to, so nothing is sent and exec reports false.

#include "executor.h"
#include "zeltest.h"

#include <QApplication>
#include <QX11Info>

class ExecutorNoDisplayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!QX11Info::isPlatformX11());
        QVERIFY(!QX11Info::display());
    }

    void nothingIsSent_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("Lock") << int(ActionType::Lock);
        QTest::newRow("EndSession") << int(ActionType::EndSession);
        QTest::newRow("TurnOn") << int(ActionType::TurnOn);
        QTest::newRow("out of range") << 42;
    }

    void nothingIsSent()
    {
        QFETCH(int, action);
        QVERIFY(!Executor().exec(static_cast<ActionType::Value>(action)));
    }
};

ZEL_TEST_MAIN_WITH(ExecutorNoDisplayTest, QApplication, false)

#include "executornodisplaytest.moc"
