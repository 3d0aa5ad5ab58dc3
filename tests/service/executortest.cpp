// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The executor against real peers: python3-dbusmock's polkitd and logind on
// the private system bus, and zel-wm-stub on the Xvfb display that the
// application itself is connected to.

#include "executor.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <PolkitQt1/Subject>

#include <QApplication>
#include <QLoggingCategory>
#include <QMutex>
#include <QThread>
#include <QX11Info>

#include <atomic>
#include <memory>
#include <unistd.h>

using namespace ZelPeers;

namespace
{
const char s_category[] = "ru.velmora.shutdown.scheduler.service.Executor";

QMutex s_logMutex;
QStringList s_log;
QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;
QLoggingCategory::CategoryFilter s_previousFilter = nullptr;

// Keeps the executor's messages: its debug lines, which must stay exactly as
// they are, apart from the warnings that say why an action failed.
void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && qstrcmp(context.category, s_category) == 0) {
        QMutexLocker lock(&s_logMutex);
        (type == QtDebugMsg ? s_log : s_warnings) << message;
        return;
    }
    s_previousHandler(type, context, message);
}

// Whatever QT_LOGGING_RULES says, the executor's debug output is on.
void enableExecutorDebug(QLoggingCategory *category)
{
    if (s_previousFilter) {
        s_previousFilter(category);
    }
    if (qstrcmp(category->categoryName(), s_category) == 0) {
        category->setEnabled(QtDebugMsg, true);
    }
}

QStringList takeLog()
{
    QMutexLocker lock(&s_logMutex);
    QStringList result = s_log;
    s_log.clear();
    return result;
}

QStringList takeWarnings()
{
    QMutexLocker lock(&s_logMutex);
    QStringList result = s_warnings;
    s_warnings.clear();
    return result;
}

QStringList allThreeLines(const QString &action)
{
    return {QStringLiteral("Попытка исполнить действие ") + action,
        QStringLiteral("Действие ") + action + QStringLiteral(" может быть исполнено"),
        QStringLiteral("Отправляется команда на исполнение в zel-wm")};
}

const QStringList s_powerIds{
    "org.freedesktop.login1.power-off", "org.freedesktop.login1.reboot", "org.freedesktop.login1.suspend", "org.freedesktop.login1.hibernate"};

} // namespace

class ExecutorTest : public QObject
{
    Q_OBJECT

private:
    MockPeer m_polkit{QStringLiteral("polkitd"), QStringLiteral("org.freedesktop.PolicyKit1"), QStringLiteral("/org/freedesktop/PolicyKit1/Authority")};
    std::unique_ptr<MockPeer> m_logind;
    WmStub m_stub;

    bool allow(const QStringList &ids) { return m_polkit.mock(QStringLiteral("SetAllowed"), {ids}); }

    // A login manager listing `sessions` sessions; none at all when negative.
    bool setSessions(int sessions)
    {
        m_logind.reset();
        if (sessions < 0) {
            return true;
        }
        m_logind = std::make_unique<MockPeer>(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"));
        if (!m_logind->start()) {
            return false;
        }
        for (int i = 0; i < sessions; ++i) {
            const uint uid = 1000 + i;
            if (!m_logind->mock(QStringLiteral("AddSession"), {QStringLiteral("c%1").arg(i), "seat0", uid, QStringLiteral("user%1").arg(i), i == 0})) {
                return false;
            }
        }
        return true;
    }

    QList<Check> checks() { return polkitChecks(m_polkit); }

    // Sends Lock and expects it to be the first thing the window manager
    // received since the test began: proves that nothing arrived before.
    void verifyNothingArrived()
    {
        QVERIFY(Executor().exec(ActionType::Lock));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{"ZELWM_LOCK"});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QX11Info::isPlatformX11(), "the test needs the isolated Xvfb display");
        s_previousHandler = qInstallMessageHandler(captureMessage);
        s_previousFilter = QLoggingCategory::installFilter(enableExecutorDebug);
        QVERIFY(m_polkit.start());
        QVERIFY(m_stub.start());
    }

    void init()
    {
        qunsetenv("ZEL_WM_OWN_PID");
        QVERIFY(allow({}));
        QVERIFY(setSessions(1));
        QVERIFY(m_polkit.mock(QStringLiteral("ClearCalls")));
        m_stub.clear();
        takeLog();
        takeWarnings();
    }

    void cleanup()
    {
        // A test that took the window manager away brings it back.
        if (!m_stub.isRunning()) {
            QVERIFY(m_stub.start());
        }
    }

    void cleanupTestCase()
    {
        m_logind.reset();
        m_polkit.stop();
        m_stub.stop();
        qInstallMessageHandler(s_previousHandler);
        QLoggingCategory::installFilter(s_previousFilter);
    }

    void lockGoesStraightToTheWindowManager()
    {
        QVERIFY(Executor().exec(ActionType::Lock));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{"ZELWM_LOCK"});
        QCOMPARE(takeLog(), allThreeLines(QStringLiteral("ActionType::Lock")));
        QCOMPARE(checks().size(), 0);
    }

    void eachActionSendsItsCommand_data()
    {
        QTest::addColumn<ActionType::Value>("action");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("polkitId");
        QTest::newRow("Shutdown") << ActionType::Shutdown << "ZELWM_SHUTDOWN"
                                  << "org.freedesktop.login1.power-off";
        QTest::newRow("Reboot") << ActionType::Reboot << "ZELWM_REBOOT"
                                << "org.freedesktop.login1.reboot";
        // Sleep is STANDBY and Hibernation is SUSPEND, crosswise to polkit.
        QTest::newRow("Sleep") << ActionType::Sleep << "ZELWM_STANDBY"
                               << "org.freedesktop.login1.suspend";
        QTest::newRow("Hibernation") << ActionType::Hibernation << "ZELWM_SUSPEND"
                                     << "org.freedesktop.login1.hibernate";
        QTest::newRow("NewSession") << ActionType::NewSession << "ZELWM_CHANGE_USER_IN_CONSOLE" << QString();
        QTest::newRow("NewSessionNewWindow") << ActionType::NewSessionNewWindow << "ZELWM_CHANGE_USER_IN_WIN" << QString();
        QTest::newRow("EndSession") << ActionType::EndSession << "ZELWM_LOGOUT" << QString();
    }

    void eachActionSendsItsCommand()
    {
        QFETCH(ActionType::Value, action);
        QFETCH(QString, command);
        QFETCH(QString, polkitId);
        QVERIFY(allow(s_powerIds));
        QVERIFY(Executor().exec(action));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{command});
        const QList<Check> made = checks();
        if (polkitId.isEmpty()) {
            QCOMPARE(made.size(), 0);
        } else {
            QCOMPARE(made.size(), 1);
            QCOMPARE(made[0].actionId, polkitId);
        }
    }

    void polkitIsAskedForTheWindowManager_data()
    {
        QTest::addColumn<ActionType::Value>("action");
        QTest::addColumn<int>("sessions");
        QTest::addColumn<QString>("polkitId");
        QTest::newRow("one session") << ActionType::Shutdown << 1 << "org.freedesktop.login1.power-off";
        QTest::newRow("no session listed") << ActionType::Shutdown << 0 << "org.freedesktop.login1.power-off";
        QTest::newRow("two sessions") << ActionType::Shutdown << 2 << "org.freedesktop.login1.power-off-multiple-sessions";
        QTest::newRow("three sessions, hibernation") << ActionType::Hibernation << 3 << "org.freedesktop.login1.hibernate-multiple-sessions";
        QTest::newRow("login manager unreachable") << ActionType::Shutdown << -1 << "org.freedesktop.login1.power-off";
    }

    void polkitIsAskedForTheWindowManager()
    {
        QFETCH(ActionType::Value, action);
        QFETCH(int, sessions);
        QFETCH(QString, polkitId);
        QVERIFY(setSessions(sessions));
        // Only the expected variant is allowed: asking for the other one
        // would be refused and send nothing.
        QVERIFY(allow({polkitId}));
        QVERIFY(Executor().exec(action));
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 1);
        QCOMPARE(made[0].actionId, polkitId);
        QCOMPARE(made[0].pid, qint64(getppid()));
        QCOMPARE(made[0].subjectKind, QStringLiteral("unix-process"));
        QCOMPARE(made[0].flags, 1u); // AllowUserInteraction
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines().size(), 1);
    }

    void sessionsAreCountedOnEveryCall()
    {
        QVERIFY(allow({"org.freedesktop.login1.reboot", "org.freedesktop.login1.reboot-multiple-sessions"}));
        QVERIFY(Executor().exec(ActionType::Reboot));
        QVERIFY(m_logind->mock(QStringLiteral("AddSession"), {"c9", "seat0", 1009u, "late", false}));
        QVERIFY(Executor().exec(ActionType::Reboot));
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 2);
        QCOMPARE(made[0].actionId, QStringLiteral("org.freedesktop.login1.reboot"));
        QCOMPARE(made[1].actionId, QStringLiteral("org.freedesktop.login1.reboot-multiple-sessions"));
    }

    void refusalSendsNothing_data()
    {
        QTest::addColumn<ActionType::Value>("action");
        QTest::addColumn<QStringList>("allowed");
        QTest::addColumn<QString>("printed");
        QTest::newRow("Reboot refused") << ActionType::Reboot << QStringList() << "ActionType::Reboot";
        QTest::newRow("Sleep refused") << ActionType::Sleep << QStringList() << "ActionType::Sleep";
        QTest::newRow("only the other variant allowed")
            << ActionType::Shutdown << QStringList{"org.freedesktop.login1.power-off-multiple-sessions"} << "ActionType::Shutdown";
    }

    void refusalSendsNothing()
    {
        QFETCH(ActionType::Value, action);
        QFETCH(QStringList, allowed);
        QFETCH(QString, printed);
        QVERIFY(allow(allowed));
        Executor executor;
        QVERIFY(!executor.exec(action));
        QCOMPARE(executor.failure(), ActionFailure::Reason::NotAuthorized);
        // Asked again without a dialog, to tell a refusal by the rules from
        // one in the dialog.
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 2);
        QCOMPARE(made[1].flags, 0u);
        QCOMPARE(takeLog(), QStringList{QStringLiteral("Попытка исполнить действие ") + printed});
        QCOMPARE(takeWarnings(), QStringList{QStringLiteral("Action %1 not authorized: polkit said no").arg(printed)});
        verifyNothingArrived();
    }

    // A check made while polkit is away fails and is told; polkit's error
    // state does not outlive it, so the next check after polkit is back
    // succeeds.
    void polkitAwayThenBack()
    {
        m_polkit.stop();
        Executor executor;
        QVERIFY(!executor.exec(ActionType::Shutdown));
        QCOMPARE(executor.failure(), ActionFailure::Reason::AuthorityUnavailable);
        QVERIFY(takeWarnings().join(QString()).contains(QStringLiteral("polkit could not be asked")));
        QVERIFY(m_polkit.start());
        QVERIFY(allow({"org.freedesktop.login1.power-off"}));
        QVERIFY(Executor().exec(ActionType::Shutdown));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{"ZELWM_SHUTDOWN"});
    }

    void emptyCommandsAreHarmless_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("printed");
        QTest::newRow("TurnOn") << int(ActionType::TurnOn) << "ActionType::TurnOn";
        QTest::newRow("out of range") << 42 << "ActionType::Value(42)";
        QTest::newRow("below range") << -7 << "ActionType::Value(-7)";
    }

    void emptyCommandsAreHarmless()
    {
        QFETCH(int, action);
        QFETCH(QString, printed);
        // The empty text reaches the window manager (so exec is true) and
        // adds nothing to its input.
        QVERIFY(Executor().exec(action));
        QCOMPARE(checks().size(), 0);
        QCOMPARE(takeLog(), allThreeLines(printed));
        verifyNothingArrived();
    }

    void subjectFromTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<qint64>("pid"); // 0: the parent process
        QTest::newRow("number") << QByteArray("4321") << qint64(4321);
        QTest::newRow("white space, then letters after") << QByteArray("  1234abc") << qint64(1234);
        QTest::newRow("tab and plus sign") << QByteArray("\t+77") << qint64(77);
        QTest::newRow("letters only") << QByteArray("abc") << qint64(0);
        QTest::newRow("empty") << QByteArray("") << qint64(0);
        QTest::newRow("blank") << QByteArray("   ") << qint64(0);
        // Numbers that cannot name a process fall back like letters do.
        QTest::newRow("too large for int") << QByteArray("99999999999") << qint64(0);
        QTest::newRow("zero") << QByteArray("0") << qint64(0);
        QTest::newRow("negative") << QByteArray("-5") << qint64(0);
    }

    void subjectFromTheEnvironment()
    {
        QFETCH(QByteArray, value);
        QFETCH(qint64, pid);
        const qint64 expected = pid ? pid : qint64(getppid());
        qputenv("ZEL_WM_OWN_PID", value);
        QCOMPARE(Executor::wmSubject().pid(), expected);

        QVERIFY(allow({"org.freedesktop.login1.power-off"}));
        QVERIFY(Executor().exec(ActionType::Shutdown));
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 1);
        QCOMPARE(made[0].pid, expected);
    }

    void noWindowManagerMeansFalse()
    {
        m_stub.stop();
        QVERIFY(allow({"org.freedesktop.login1.power-off"}));
        Executor executor;
        QVERIFY(!executor.exec(ActionType::Lock));
        QCOMPARE(executor.failure(), ActionFailure::Reason::NoWindowManager);
        QVERIFY(!Executor().exec(ActionType::Shutdown));
        // The debug lines stay as they were; a warning says what failed.
        QCOMPARE(takeLog(), allThreeLines(QStringLiteral("ActionType::Lock")) + allThreeLines(QStringLiteral("ActionType::Shutdown")));
        QCOMPARE(takeWarnings().size(), 2);
    }

    void staleWindowManagerMeansFalse()
    {
        // Killed, the stub cannot withdraw: the root window names a window
        // that the server destroys.
        m_stub.kill();
        QVERIFY(waitFor([] { return !Executor().exec(ActionType::Lock); }));
        QVERIFY(!Executor().exec(ActionType::EndSession));
    }

    void runsOnWorkerThreads()
    {
        QVERIFY(allow(s_powerIds));
        constexpr int perThread = 10;
        std::atomic<int> delivered{0};
        auto sender = [&delivered](ActionType::Value action) {
            return QThread::create([&delivered, action] {
                for (int i = 0; i < perThread; ++i) {
                    if (Executor().exec(action)) {
                        ++delivered;
                    }
                }
            });
        };
        std::unique_ptr<QThread> first(sender(ActionType::Shutdown));
        std::unique_ptr<QThread> second(sender(ActionType::EndSession));
        first->start();
        second->start();
        QVERIFY(waitFor([&] { return first->isFinished() && second->isFinished(); }, 30000));
        QCOMPARE(delivered.load(), 2 * perThread);
        QVERIFY(m_stub.waitForLines(2 * perThread));
        QTest::qWait(200);
        const QStringList lines = m_stub.lines();
        QCOMPARE(lines.size(), 2 * perThread);
        QCOMPARE(lines.count(QStringLiteral("ZELWM_SHUTDOWN")), perThread);
        QCOMPARE(lines.count(QStringLiteral("ZELWM_LOGOUT")), perThread);
        QCOMPARE(checks().size(), perThread);
    }
};

ZEL_TEST_MAIN_WITH(ExecutorTest, QApplication, true)

#include "executortest.moc"
