// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// zelcore against real peers: the stand-in window manager on an Xvfb display
// (reached through a plain Xlib connection of the test's own, where X errors
// come back through Xlib's handler), a window of the test posing as a window
// manager, and the python3-dbusmock login manager on the private system bus.

#include "zelcore.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <QFile>
#include <QTemporaryDir>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace ZelPeers;

class ZelCoreTest : public QObject
{
    Q_OBJECT

private:
    Display *m_display = nullptr;
    WmStub m_stub;
    Window m_fakeWm = 0;

    Atom atom(const char *name) { return XInternAtom(m_display, name, False); }

    void setRootCheck(Window target)
    {
        const unsigned long value = target;
        XChangeProperty(m_display,
            DefaultRootWindow(m_display),
            atom("_NET_SUPPORTING_WM_CHECK"),
            XA_WINDOW,
            32,
            PropModeReplace,
            reinterpret_cast<const unsigned char *>(&value),
            1);
        XSync(m_display, False);
    }

    // A window of ours that names itself as a window manager would; nobody
    // reads its command property, so the test can look at it.
    Window makeFakeWm(bool namesItself)
    {
        m_fakeWm = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
        if (namesItself) {
            const unsigned long value = m_fakeWm;
            XChangeProperty(
                m_display, m_fakeWm, atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char *>(&value), 1);
        }
        setRootCheck(m_fakeWm);
        return m_fakeWm;
    }

    QByteArray commandProperty(Window window, Atom *type = nullptr)
    {
        Atom actualType = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(m_display, window, atom("_ZEL_WM_COMMAND"), 0, 1 << 20, False, AnyPropertyType, &actualType, &format, &count, &after, &data);
        if (type) {
            *type = actualType;
        }
        QByteArray result;
        if (data) {
            result = QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(format == 32 ? count * sizeof(long) : count));
            XFree(data);
        }
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_display = XOpenDisplay(nullptr);
        QVERIFY2(m_display, "the test needs the isolated Xvfb display");
    }

    void cleanup()
    {
        m_stub.stop();
        XDeleteProperty(m_display, DefaultRootWindow(m_display), atom("_NET_SUPPORTING_WM_CHECK"));
        if (m_fakeWm) {
            XDestroyWindow(m_display, m_fakeWm);
            m_fakeWm = 0;
        }
        XSync(m_display, False);
    }

    void cleanupTestCase() { XCloseDisplay(m_display); }

    void commandsArriveUnchanged_data()
    {
        QTest::addColumn<QByteArrayList>("sends");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one command") << QByteArrayList{"ZELWM_LOCK\n"} << QStringList{"ZELWM_LOCK"};
        QTest::newRow("two lines in one text") << QByteArrayList{"ZELWM_LOCK\nZELWM_LOGOUT\n"} << QStringList{"ZELWM_LOCK", "ZELWM_LOGOUT"};
        // A line is only complete with its line feed, even across sends.
        QTest::newRow("line split over sends") << QByteArrayList{"ZELWM_SHUT", "DOWN\n"} << QStringList{"ZELWM_SHUTDOWN"};
        QTest::newRow("empty text adds nothing") << QByteArrayList{"", "ZELWM_LOCK\n"} << QStringList{"ZELWM_LOCK"};
        QTest::newRow("bytes beyond ASCII") << QByteArrayList{QStringLiteral("ZELWM_ЗАМОК\n").toUtf8()} << QStringList{QStringLiteral("ZELWM_ЗАМОК")};
        QTest::newRow("blank line") << QByteArrayList{"\n", "ZELWM_LOCK\n"} << QStringList{"", "ZELWM_LOCK"};
    }

    void commandsArriveUnchanged()
    {
        QFETCH(QByteArrayList, sends);
        QFETCH(QStringList, expected);
        QVERIFY(m_stub.start());
        for (const QByteArray &text : sends) {
            QVERIFY(zelSendCommandToWM(m_display, text.constData()));
        }
        QVERIFY2(m_stub.waitForLines(expected.size()), qPrintable(m_stub.lines().join(QLatin1Char('|'))));
        // Anything wrongly split or doubled would show up shortly after.
        QTest::qWait(200);
        QCOMPARE(m_stub.lines(), expected);
    }

    void longTextArrivesWhole()
    {
        QVERIFY(m_stub.start());
        QByteArray text(300000, 'x');
        for (int i = 0; i < text.size(); i += 97) {
            text[i] = char('a' + i % 26);
        }
        QVERIFY(zelSendCommandToWM(m_display, QByteArray(text + '\n').constData()));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines().constFirst().toLatin1(), text);
    }

    void textTooLongForOneRequestIsRefused()
    {
        makeFakeWm(true);
        long units = XExtendedMaxRequestSize(m_display);
        if (units <= 0) {
            units = XMaxRequestSize(m_display);
        }
        const QByteArray text(static_cast<int>(units * 4 + 16), 'x');
        QVERIFY(!zelSendCommandToWM(m_display, text.constData()));
        QVERIFY(commandProperty(m_fakeWm).isEmpty());
    }

    void appendsToTheCheckWindowsProperty()
    {
        const Window wm = makeFakeWm(true);
        QVERIFY(zelSendCommandToWM(m_display, "ZELWM_LOCK\n"));
        QVERIFY(zelSendCommandToWM(m_display, "ZELWM_LOGOUT\n"));
        Atom type = 0;
        QCOMPARE(commandProperty(wm, &type), QByteArray("ZELWM_LOCK\nZELWM_LOGOUT\n"));
        QCOMPARE(type, atom("UTF8_STRING"));
    }

    void foreignCommandPropertyIsLeftAlone()
    {
        const Window wm = makeFakeWm(true);
        const long value = 42;
        XChangeProperty(m_display, wm, atom("_ZEL_WM_COMMAND"), XA_INTEGER, 32, PropModeReplace, reinterpret_cast<const unsigned char *>(&value), 1);
        XSync(m_display, False);
        QVERIFY(!zelSendCommandToWM(m_display, "ZELWM_LOCK\n"));
        Atom type = 0;
        commandProperty(wm, &type);
        QCOMPARE(type, Atom(XA_INTEGER));
    }

    void refusesWithoutAWindowManager_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("nothing advertised") << "none";
        QTest::newRow("window manager gone, advertisement stale") << "killed";
        QTest::newRow("window manager withdrew") << "stopped";
        QTest::newRow("check window does not name itself") << "not self";
        QTest::newRow("root names itself") << "root";
        QTest::newRow("advertisement of the wrong type") << "wrong type";
    }

    void refusesWithoutAWindowManager()
    {
        QFETCH(QString, situation);
        const Window root = DefaultRootWindow(m_display);
        if (situation == QLatin1String("killed")) {
            QVERIFY(m_stub.start());
            m_stub.kill();
            // The server destroys the stub's window once it notices the loss.
            QVERIFY(waitFor([this] { return !zelSendCommandToWM(m_display, "ZELWM_LOCK\n"); }));
        } else if (situation == QLatin1String("stopped")) {
            QVERIFY(m_stub.start());
            m_stub.stop();
        } else if (situation == QLatin1String("not self")) {
            makeFakeWm(false);
        } else if (situation == QLatin1String("root")) {
            setRootCheck(root);
        } else if (situation == QLatin1String("wrong type")) {
            const Window wm = makeFakeWm(true);
            const long value = static_cast<long>(wm);
            XChangeProperty(
                m_display, root, atom("_NET_SUPPORTING_WM_CHECK"), XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char *>(&value), 1);
            XSync(m_display, False);
        }
        QVERIFY(!zelSendCommandToWM(m_display, "ZELWM_LOCK\n"));
        QVERIFY(commandProperty(root).isEmpty());
        if (m_fakeWm) {
            QVERIFY(commandProperty(m_fakeWm).isEmpty());
        }
    }

    void refusesNullArguments()
    {
        QVERIFY(m_stub.start());
        QVERIFY(!zelSendCommandToWM(nullptr, "ZELWM_LOCK\n"));
        QVERIFY(!zelSendCommandToWM(m_display, nullptr));
        QVERIFY(zelSendCommandToWM(m_display, "ZELWM_LOGOUT\n"));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{"ZELWM_LOGOUT"});
    }

    void stubAppendsToItsOutputFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("commands.txt"));
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("EARLIER\n");
        existing.close();

        QVERIFY(m_stub.start({QStringLiteral("--output"), path}));
        QVERIFY(zelSendCommandToWM(m_display, "ZELWM_LOCK\nZELWM_REBOOT\n"));
        QVERIFY(m_stub.waitForLines(2));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("EARLIER\nZELWM_LOCK\nZELWM_REBOOT\n"));
    }

    void countsTheLoginManagersSessions()
    {
        bool ok = true;
        QCOMPARE(numWho(&ok), 0);
        QVERIFY2(!ok, "no login manager on the bus yet");
        QCOMPARE(numWho(nullptr), 0);

        MockPeer logind(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"));
        QVERIFY(logind.start());
        QCOMPARE(numWho(&ok), 0);
        QVERIFY(ok);

        QVERIFY(logind.mock(QStringLiteral("AddSession"), {"c1", "seat0", 1000u, "alice", true}));
        QCOMPARE(numWho(&ok), 1);
        QVERIFY(ok);
        // Other users' sessions and sessions on other seats count as well.
        QVERIFY(logind.mock(QStringLiteral("AddSession"), {"c2", "seat1", 1001u, "bob", false}));
        QVERIFY(logind.mock(QStringLiteral("AddSession"), {"c3", "seat0", 1000u, "alice", false}));
        QCOMPARE(numWho(&ok), 3);
        QVERIFY(ok);
        QCOMPARE(numWho(nullptr), 3);

        logind.stop();
        ok = true;
        QCOMPARE(numWho(&ok), 0);
        QVERIFY(!ok);
    }
};

ZEL_TEST_MAIN_WITH(ZelCoreTest, QCoreApplication, true)

#include "zelcoretest.moc"
