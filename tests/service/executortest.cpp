// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The zel-wm route of an action job against real peers: python3-dbusmock's
// polkitd and logind on the private system bus, and zel-wm-stub on the Xvfb
// display that the application itself is connected to.

#include "executor.h"
#include "actionjob.h"
#include "enumerations.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <PolkitQt1/Subject>

#include <QApplication>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QX11Info>

#include <memory>
#include <unistd.h>

using namespace ZelPeers;

namespace
{
const char s_category[] = "ru.velmora.shutdown.scheduler.service.Executor";
const char s_jobCategory[] = "ru.velmora.shutdown.scheduler.service.ActionJob";

QStringList s_log;
QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;
QLoggingCategory::CategoryFilter s_previousFilter = nullptr;

// Keeps the executor's messages: its debug lines, which must stay exactly as
// they are, apart from the warnings that say why an action failed.
void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && qstrcmp(context.category, s_category) == 0) {
        (type == QtDebugMsg ? s_log : s_warnings) << message;
        return;
    }
    if (context.category && qstrcmp(context.category, s_jobCategory) == 0 && type == QtWarningMsg) {
        s_warnings << message;
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
    QStringList result = s_log;
    s_log.clear();
    return result;
}

QStringList takeWarnings()
{
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

// Carries action out as the service does; None when it was sent.
ActionJob::Failure exec(qint32 action)
{
    ActionJob job(action);
    QSignalSpy finished(&job, &ActionJob::finished);
    job.start();
    if (!finished.wait(20000)) {
        return ActionJob::Failure::Abandoned;
    }
    return job.failure();
}

bool sent(qint32 action)
{
    return exec(action) == ActionJob::Failure::None;
}
} // namespace

class ExecutorTest : public QObject
{
    Q_OBJECT

private:
    MockPeer m_polkit{QStringLiteral("polkitd"), QStringLiteral("org.freedesktop.PolicyKit1"), QStringLiteral("/org/freedesktop/PolicyKit1/Authority")};
    std::unique_ptr<MockPeer> m_logind;
    int m_sessions = -1;
    WmStub m_stub;

    bool allow(const QStringList &ids) { return m_polkit.mock(QStringLiteral("SetAllowed"), {ids}); }

    // A login manager listing `sessions` sessions; none at all when negative.
    // The one running is kept while it lists as many: nothing else changes it.
    // To list another number it is set back to its template's start (the
    // mock's Reset) rather than started again.
    bool setSessions(int sessions)
    {
        if (sessions == m_sessions) {
            return true;
        }
        m_sessions = -1;
        if (sessions < 0) {
            m_logind.reset();
            return true;
        }
        if (m_logind) {
            if (!m_logind->mock(QStringLiteral("Reset"))) {
                return false;
            }
        } else {
            m_logind =
                std::make_unique<MockPeer>(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"));
            if (!m_logind->start()) {
                return false;
            }
        }
        for (int i = 0; i < sessions; ++i) {
            const uint uid = 1000 + i;
            if (!m_logind->mock(QStringLiteral("AddSession"), {QStringLiteral("c%1").arg(i), "seat0", uid, QStringLiteral("user%1").arg(i), i == 0})) {
                return false;
            }
        }
        m_sessions = sessions;
        return true;
    }

    QList<Check> checks() { return polkitChecks(m_polkit); }

    // Sends Lock and expects it to be the first thing the window manager
    // received since the test began: proves that nothing arrived before.
    void verifyNothingArrived()
    {
        QVERIFY(sent(ActionType::Lock));
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
        QVERIFY(sent(ActionType::Lock));
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
        QVERIFY(sent(action));
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
        QVERIFY(sent(action));
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
        QVERIFY(sent(ActionType::Reboot));
        QVERIFY(m_logind->mock(QStringLiteral("AddSession"), {"c9", "seat0", 1009u, "late", false}));
        ++m_sessions;
        QVERIFY(sent(ActionType::Reboot));
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 2);
        QCOMPARE(made[0].actionId, QStringLiteral("org.freedesktop.login1.reboot"));
        QCOMPARE(made[1].actionId, QStringLiteral("org.freedesktop.login1.reboot-multiple-sessions"));
        // Printed after the jobs ended: taken here, not by the next test.
        QVERIFY(m_stub.waitForLines(2));
        QCOMPARE(m_stub.lines(), (QStringList{"ZELWM_REBOOT", "ZELWM_REBOOT"}));
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
        QCOMPARE(exec(action), ActionJob::Failure::NotAuthorized);
        // Asked again without a dialog, to tell a refusal by the rules from
        // one in the dialog.
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 2);
        QCOMPARE(made[1].flags, 0u);
        QCOMPARE(takeLog(), QStringList{QStringLiteral("Попытка исполнить действие ") + printed});
        QCOMPARE(takeWarnings(), QStringList{QStringLiteral("Action %1 not carried out: NotAuthorized").arg(printed)});
        verifyNothingArrived();
    }

    // A check made while polkit is away fails and is told; polkit's error
    // state does not outlive it, so the next check after polkit is back
    // succeeds.
    void polkitAwayThenBack()
    {
        m_polkit.stop();
        QCOMPARE(exec(ActionType::Shutdown), ActionJob::Failure::AuthorityUnavailable);
        QVERIFY(takeWarnings().join(QString()).contains(QStringLiteral("AuthorityUnavailable")));
        QVERIFY(m_polkit.start());
        QVERIFY(allow({"org.freedesktop.login1.power-off"}));
        QVERIFY(sent(ActionType::Shutdown));
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{"ZELWM_SHUTDOWN"});
    }

    void numbersThatNameNoActionSendNothing_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("TurnOn") << int(ActionType::TurnOn);
        QTest::newRow("out of range") << 42;
        QTest::newRow("below range") << -7;
    }

    void numbersThatNameNoActionSendNothing()
    {
        QFETCH(int, action);
        QCOMPARE(exec(action), ActionJob::Failure::NotAvailable);
        QCOMPARE(checks().size(), 0);
        QCOMPARE(takeLog(), QStringList());
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
        QVERIFY(sent(ActionType::Shutdown));
        const QList<Check> made = checks();
        QCOMPARE(made.size(), 1);
        QCOMPARE(made[0].pid, expected);
        QVERIFY(m_stub.waitForLines(1));
        QCOMPARE(m_stub.lines(), QStringList{"ZELWM_SHUTDOWN"});
    }

    // Jobs side by side on the one thread: each command is sent once, and
    // polkit is asked once per power action.
    void manyJobsAtOnce()
    {
        QVERIFY(allow(s_powerIds));
        constexpr int each = 10;
        std::vector<std::unique_ptr<ActionJob>> jobs;
        int finished = 0;
        for (int i = 0; i < 2 * each; ++i) {
            jobs.push_back(std::make_unique<ActionJob>(i % 2 ? ActionType::Shutdown : ActionType::EndSession));
            connect(jobs.back().get(), &ActionJob::finished, this, [&finished] { ++finished; });
            jobs.back()->start();
        }
        QVERIFY(waitFor([&finished] { return finished == 2 * each; }, 30000));
        for (const auto &job : jobs) {
            QCOMPARE(job->failure(), ActionJob::Failure::None);
        }
        // A lock sent after them all is printed after everything they sent.
        QVERIFY(sent(ActionType::Lock));
        QVERIFY(m_stub.waitForLines(2 * each + 1));
        QStringList lines = m_stub.lines();
        QCOMPARE(lines.size(), 2 * each + 1);
        QCOMPARE(lines.takeLast(), QStringLiteral("ZELWM_LOCK"));
        QCOMPARE(lines.count(QStringLiteral("ZELWM_SHUTDOWN")), each);
        QCOMPARE(lines.count(QStringLiteral("ZELWM_LOGOUT")), each);
        QCOMPARE(checks().size(), each);
    }

    // Without zel-wm (and here without any other peer) its route is not
    // chosen: not even its debug lines are written.
    void noWindowManagerMeansNotAvailable()
    {
        QVERIFY(setSessions(-1));
        m_stub.stop();
        QVERIFY(allow({"org.freedesktop.login1.power-off"}));
        QCOMPARE(exec(ActionType::Lock), ActionJob::Failure::NotAvailable);
        QCOMPARE(exec(ActionType::Shutdown), ActionJob::Failure::NotAvailable);
        QCOMPARE(takeLog(), QStringList());
        QCOMPARE(takeWarnings().size(), 2);
    }

    void staleWindowManagerMeansNotAvailable()
    {
        QVERIFY(setSessions(-1));
        // Killed, the stub cannot withdraw: the root window names a window
        // that the server destroys.
        m_stub.kill();
        QVERIFY(waitFor([] { return exec(ActionType::Lock) == ActionJob::Failure::NotAvailable; }));
        QCOMPARE(exec(ActionType::EndSession), ActionJob::Failure::NotAvailable);
    }
};

ZEL_TEST_MAIN_WITH(ExecutorTest, QApplication, true)

#include "executortest.moc"
