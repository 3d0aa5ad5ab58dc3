// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// Desktops × actions: each desktop's programs stand in as python3-dbusmock
// peers on the private buses, the action jobs run against them, and each
// peer's own record of its calls (GetCalls) shows what was carried out, by
// whom, and that nothing else was. One table; each row is one desktop with
// the peers it names and no others on the buses. A peer is kept for the next
// row that names it too, unless the row changed it: its record of calls is
// cleared, and nothing else the rows do changes a peer's answers.

#include "actionjob.h"
#include "enumerations.h"
#include "zelpeers.h"
#include "zeltest.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <unistd.h>

using namespace ZelPeers;

namespace
{
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/c1");

// A dbusmock process: a template, or a generic object at one path.
class Peer
{
public:
    Peer(const QString &label, bool system, const QString &name, const QString &path, const QStringList &arguments)
        : label(label), system(system), name(name), path(path)
    {
        QStringList all{QStringLiteral("-m"), QStringLiteral("dbusmock")};
        if (system) {
            all << QStringLiteral("--system");
        }
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("/usr/bin/python3"), all + arguments);
    }
    ~Peer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        waitFor([this] { return !bus().interface()->isServiceRegistered(name).value(); });
    }
    QDBusConnection bus() const { return system ? QDBusConnection::systemBus() : QDBusConnection::sessionBus(); }
    bool ready()
    {
        return waitFor([this] { return bus().interface()->isServiceRegistered(name).value(); });
    }
    QDBusMessage mock(const QString &method, const QVariantList &arguments = {}, const QString &at = QString())
    {
        QDBusMessage message = QDBusMessage::createMethodCall(name, at.isEmpty() ? path : at, mockInterface, method);
        message.setArguments(arguments);
        return bus().call(message, QDBus::Block, 10000);
    }
    bool addMethod(const QString &interface, const QString &method, const QString &in, const QString &out, const QString &code, const QString &at = QString())
    {
        return mock(QStringLiteral("AddMethod"), {interface, method, in, out, code}, at).type() == QDBusMessage::ReplyMessage;
    }
    // The methods called on the object at `at` (the peer's own path by default).
    QStringList calls(const QString &at = QString())
    {
        const QDBusMessage reply = mock(QStringLiteral("GetCalls"), {}, at);
        QStringList result;
        if (reply.type() != QDBusMessage::ReplyMessage) {
            return {QStringLiteral("GetCalls failed: ") + reply.errorMessage()};
        }
        const QDBusArgument calls = reply.arguments().constFirst().value<QDBusArgument>();
        calls.beginArray();
        while (!calls.atEnd()) {
            qulonglong time = 0;
            QString method;
            calls.beginStructure();
            calls >> time >> method;
            calls.beginArray();
            while (!calls.atEnd()) {
                QDBusVariant ignored;
                calls >> ignored;
            }
            calls.endArray();
            calls.endStructure();
            result << method;
        }
        calls.endArray();
        mock(QStringLiteral("ClearCalls"), {}, at);
        return result;
    }

    const QString label;
    const bool system;
    const QString name;
    const QString path;
    // A method replaced or an answer changed: started afresh when next named.
    bool changed = false;

private:
    QProcess m_process;
};

// What counts as carrying something out; the queries (ListSessions,
// GetSessionByPID, ListInhibitors, Can*) are not.
const QStringList actionMethods{
    "PowerOff", "Reboot", "Suspend", "Hibernate", "Lock", "Terminate", "logout", "Logout", "SwitchToGreeter", "CreateTransientDisplay"};

const QMap<QString, qint32> actionByName{{"shutdown", ActionType::Shutdown},
    {"reboot", ActionType::Reboot},
    {"sleep", ActionType::Sleep},
    {"hibernate", ActionType::Hibernation},
    {"switch-user", ActionType::NewSession},
    {"new-session", ActionType::NewSessionNewWindow},
    {"lock", ActionType::Lock},
    {"logout", ActionType::EndSession}};

// The processes a polkitd mock was asked about.
QList<qint64> checkedPids(Peer &polkit)
{
    const QDBusMessage reply = polkit.mock(QStringLiteral("GetMethodCalls"), {QStringLiteral("CheckAuthorization")});
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return {-1};
    }
    QList<qint64> result;
    for (const ZelPeers::Check &check : ZelPeers::polkitChecks(reply)) {
        result << check.pid;
    }
    return result;
}

// Peers that are a generic object with one method, as desktops' programs.
struct Generic
{
    const char *label;
    bool system;
    const char *name, *path, *interface, *method, *in;
};
const Generic generics[] = {
    {"fdo-saver", false, "org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver", "Lock", ""},
    {"kde-shutdown", false, "org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", ""},
    {"gnome-session", false, "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", "Logout", "u"},
    {"xfce-saver", false, "org.xfce.ScreenSaver", "/org/xfce/ScreenSaver", "org.xfce.ScreenSaver", "Lock", ""},
    {"xfce-session", false, "org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager", "Logout", "bb"},
    {"lxqt-session", false, "org.lxqt.session", "/LXQtSession", "org.lxqt.session", "logout", ""},
    {"mate-saver", false, "org.mate.ScreenSaver", "/org/mate/ScreenSaver", "org.mate.ScreenSaver", "Lock", ""},
    {"cinnamon-saver", false, "org.cinnamon.ScreenSaver", "/org/cinnamon/ScreenSaver", "org.cinnamon.ScreenSaver", "Lock", "s"},
    {"sddm", true, "org.freedesktop.DisplayManager", "/org/freedesktop/DisplayManager/Seat0", "org.freedesktop.DisplayManager.Seat", "SwitchToGreeter", ""},
    {"gdm",
        true,
        "org.gnome.DisplayManager",
        "/org/gnome/DisplayManager/LocalDisplayFactory",
        "org.gnome.DisplayManager.LocalDisplayFactory",
        "CreateTransientDisplay",
        ""},
};

const Generic *generic(const QString &label)
{
    for (const Generic &g : generics) {
        if (label == QLatin1String(g.label)) {
            return &g;
        }
    }
    return nullptr;
}

QString raise(const QString &name, const QString &text)
{
    return QStringLiteral("raise dbus.exceptions.DBusException('%1', name='%2')").arg(text, name);
}
} // namespace

class ActionJobTest : public QObject
{
    Q_OBJECT

    std::vector<std::unique_ptr<Peer>> m_peers;
    WmStub m_wm;
    int m_peerTimeout = 0;
    // A peer that holds its answer gives it once a file "release" is here.
    QTemporaryDir m_release;

    Peer *peer(const QString &label)
    {
        for (const auto &peer : m_peers) {
            if (peer->label == label) {
                return peer.get();
            }
        }
        return nullptr;
    }

    // Launches the peer a label names; it is set up once on the bus (setUp),
    // so that the peers of a row start side by side.
    bool launch(const QString &label)
    {
        if (label == "logind") {
            m_peers.push_back(std::make_unique<Peer>(label, true, "org.freedesktop.login1", "/org/freedesktop/login1", QStringList{"--template", "logind"}));
        } else if (label == "polkit") {
            m_peers.push_back(std::make_unique<Peer>(
                label, true, "org.freedesktop.PolicyKit1", "/org/freedesktop/PolicyKit1/Authority", QStringList{"--template", "polkitd"}));
        } else if (label == "gnome-saver") {
            m_peers.push_back(
                std::make_unique<Peer>(label, false, "org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", QStringList{"--template", "gnome_screensaver"}));
        } else if (const Generic *g = generic(label)) {
            m_peers.push_back(std::make_unique<Peer>(label, g->system, g->name, g->path, QStringList{g->name, g->path, g->interface}));
        } else {
            return false;
        }
        return true;
    }

    // Waits for a launched peer and sets it up as that desktop's program is.
    static bool setUp(Peer &peer)
    {
        if (!peer.ready()) {
            return false;
        }
        if (peer.label == "logind") {
            return peer.mock("AddSession", {"c1", "seat0", 1000u, "user", true}).type() == QDBusMessage::ReplyMessage &&
                peer.addMethod("org.freedesktop.login1.Manager", "GetSessionByPID", "u", "o", "ret = dbus.ObjectPath('" + sessionPath + "')");
        }
        if (peer.label == "polkit") {
            return peer.mock("AllowUnknown", {true}).type() == QDBusMessage::ReplyMessage;
        }
        const Generic *g = generic(peer.label);
        return !g || peer.addMethod(g->interface, g->method, g->in, "", "");
    }

    // Ends the peers that the row does not name or that a row changed, and
    // launches the ones it names that are not running then.
    bool launchAll(const QStringList &labels)
    {
        m_peers.erase(std::remove_if(m_peers.begin(), m_peers.end(), [&labels](const auto &peer) { return peer->changed || !labels.contains(peer->label); }),
            m_peers.end());
        const size_t kept = m_peers.size();
        for (const QString &label : labels) {
            if (!peer(label) && !launch(label)) {
                qWarning() << "unknown peer" << label;
                return false;
            }
        }
        for (size_t i = 0; i < m_peers.size(); ++i) {
            Peer &each = *m_peers.at(i);
            if (!(i < kept ? each.mock("ClearCalls").type() == QDBusMessage::ReplyMessage : setUp(each))) {
                qWarning() << "peer not ready" << each.label;
                return false;
            }
        }
        return true;
    }

    // A peer's method replaced: "peer Interface.Method in code" with code to
    // the end; or the jobs' time to wait for a peer's answer.
    bool apply(const QString &change)
    {
        if (change.startsWith("peer timeout ")) {
            m_peerTimeout = change.mid(13).toInt();
            return m_peerTimeout > 0;
        }
        if (change == "polkit refuses") {
            peer("polkit")->changed = true;
            return peer("polkit")->mock("AllowUnknown", {false}).type() == QDBusMessage::ReplyMessage;
        }
        const QStringList parts = change.split(' ');
        Peer *target = peer(parts.value(0));
        if (target) {
            target->changed = true;
        }
        const QString member = parts.value(1);
        const int dot = member.lastIndexOf('.');
        const QString at = target && target->label == "logind" && member.startsWith("org.freedesktop.login1.Session.") ? sessionPath : QString();
        return target &&
            target->addMethod(member.left(dot),
                member.mid(dot + 1),
                parts.value(2) == "-" ? QString() : parts.value(2),
                parts.value(3) == "-" ? QString() : parts.value(3),
                parts.mid(4).join(' '),
                at);
    }

    // Every action method any peer received since the last look, as "peer.Method".
    QStringList takeCalls()
    {
        QStringList result;
        for (const auto &peer : m_peers) {
            if (peer->label == "polkit") {
                continue; // its checks are looked at once the row is done
            }
            QStringList calls = peer->calls();
            if (peer->label == "logind") {
                for (const QString &call : peer->calls(sessionPath)) {
                    calls << "session-" + call;
                }
            }
            for (const QString &call : calls) {
                if (actionMethods.contains(QString(call).remove("session-"))) {
                    result << (call.startsWith("session-") ? QString("session." + call.mid(8)) : QString(peer->label + "." + call));
                }
            }
        }
        if (m_wm.isRunning()) {
            for (const QString &command : m_wm.lines()) {
                result << "zel-wm." + command;
            }
            m_wm.clear();
        }
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The session the job finds is the one logind names for its process.
        qunsetenv("XDG_SESSION_ID");
    }

    void cleanup()
    {
        m_wm.stop();
        // What a failed row left behind is not handed on.
        if (QTest::currentTestFailed()) {
            m_peers.clear();
        }
    }

    void cleanupTestCase() { m_peers.clear(); }

    void desktops_data()
    {
        QTest::addColumn<QString>("currentDesktop");
        QTest::addColumn<bool>("zelWm");
        QTest::addColumn<QStringList>("peers");
        // "peer Interface.Method in out code": a method replaced.
        QTest::addColumn<QStringList>("changes");
        // "action | calls | failure text", the failure empty when done.
        QTest::addColumn<QStringList>("expected");

        const QStringList power{"logind", "polkit"};
        // Answers once the test has seen the job end (or after 20 s).
        const QString holdAnswer =
            "import os, time\nfor _ in range(1000):\n if os.path.exists('" + m_release.filePath("release") + "'): break\n time.sleep(0.02)";
        const QString lockSets =
            "logind org.freedesktop.login1.Session.Lock - - self.UpdateProperties('org.freedesktop.login1.Session', {'LockedHint': dbus.Boolean(True)})";
        // In an order that lets the next row keep most peers.
        // clang-format off
        QTest::newRow("Plasma") << "KDE" << false << power + QStringList{"fdo-saver", "kde-shutdown", "sddm"} << QStringList()
            << QStringList{"shutdown | logind.PowerOff |", "reboot | logind.Reboot |", "sleep | logind.Suspend |", "hibernate | logind.Hibernate |",
                           "switch-user | sddm.SwitchToGreeter |", "new-session | | not available on this desktop",
                           "lock | fdo-saver.Lock |", "logout | kde-shutdown.logout |"};
        QTest::newRow("zel-wm") << "KDE" << true << power + QStringList{"fdo-saver", "kde-shutdown"} << QStringList()
            << QStringList{"shutdown | zel-wm.ZELWM_SHUTDOWN |", "lock | zel-wm.ZELWM_LOCK |", "new-session | zel-wm.ZELWM_CHANGE_USER_IN_WIN |"};
        // The answer is held until the job has given up waiting for it.
        QTest::newRow("peer never answers") << "KDE" << false << power + QStringList{"kde-shutdown"}
            << QStringList{"peer timeout 500", "kde-shutdown org.kde.Shutdown.logout - - " + holdAnswer}
            << QStringList{"logout | kde-shutdown.logout | the Plasma session did not answer in time"};
        // GNOME's org.freedesktop.ScreenSaver would only refuse: never asked.
        QTest::newRow("GNOME") << "GNOME" << false << power + QStringList{"gnome-saver", "fdo-saver", "gnome-session", "gdm"}
            << QStringList{"fdo-saver org.freedesktop.ScreenSaver.Lock - - " + raise("org.freedesktop.DBus.Error.NotSupported", "no")}
            << QStringList{"lock | gnome-saver.Lock |", "logout | gnome-session.Logout |", "switch-user | gdm.CreateTransientDisplay |"};
        QTest::newRow("MATE") << "MATE" << false << power + QStringList{"mate-saver", "gnome-session"} << QStringList()
            << QStringList{"lock | mate-saver.Lock |", "logout | gnome-session.Logout |"};
        QTest::newRow("Cinnamon") << "X-Cinnamon" << false << power + QStringList{"cinnamon-saver", "gnome-session"} << QStringList()
            << QStringList{"lock | cinnamon-saver.Lock |", "logout | gnome-session.Logout |"};
        QTest::newRow("Xfce") << "XFCE" << false << power + QStringList{"xfce-saver", "xfce-session"} << QStringList()
            << QStringList{"lock | xfce-saver.Lock |", "logout | xfce-session.Logout |", "switch-user | | not available on this desktop"};
        QTest::newRow("logind alone") << "" << false << power << QStringList()
            << QStringList{"lock | session.Lock | nothing locked the screen", "logout | session.Terminate |"};
        QTest::newRow("polkit refuses: nothing sent") << "" << false << power
            << QStringList{"polkit refuses"}
            << QStringList{"sleep | | not authorized"};
        QTest::newRow("LXQt, locked by logind") << "LXQt" << false << power + QStringList{"lxqt-session"} << QStringList{lockSets}
            << QStringList{"lock | session.Lock |", "logout | lxqt-session.logout |"};
        QTest::newRow("refused by logind") << "" << false << power
            << QStringList{"logind org.freedesktop.login1.Manager.PowerOff b - " + raise("org.freedesktop.DBus.Error.AccessDenied", "Access denied")}
            << QStringList{"shutdown | logind.PowerOff | not authorized"};
        QTest::newRow("block inhibitor") << "" << false << power
            << QStringList{"logind org.freedesktop.login1.Manager.Reboot b - " + raise("org.freedesktop.login1.BlockedByInhibitorLock", "blocked"),
                           "logind org.freedesktop.login1.Manager.ListInhibitors - a(ssssuu) ret = [('sleep', 'Player', 'Playing', 'block', 1000, 7), ('shutdown', 'Backup', 'Copying files', 'block', 1000, 42)]"}
            << QStringList{"reboot | logind.Reboot | blocked by Backup: Copying files"};
        // clang-format on
    }

    void desktops()
    {
        QFETCH(QString, currentDesktop);
        QFETCH(bool, zelWm);
        QFETCH(QStringList, peers);
        QFETCH(QStringList, changes);
        QFETCH(QStringList, expected);

        // Wayland, no X display at all, unless zel-wm runs on one.
        static const QByteArray display = qgetenv("DISPLAY");
        if (zelWm) {
            qputenv("DISPLAY", display);
            qunsetenv("WAYLAND_DISPLAY");
            QVERIFY(m_wm.start());
        } else {
            qunsetenv("DISPLAY");
            qputenv("WAYLAND_DISPLAY", "wayland-0");
        }
        qputenv("XDG_CURRENT_DESKTOP", currentDesktop.toUtf8());
        qputenv("XDG_SEAT_PATH", "/org/freedesktop/DisplayManager/Seat0");
        QFile::remove(m_release.filePath("release"));
        QVERIFY(launchAll(peers));
        m_peerTimeout = 2000; // GNOME's mock locker takes a second
        for (const QString &change : changes) {
            QVERIFY2(apply(change), qPrintable(change));
        }
        takeCalls();

        for (const QString &line : expected) {
            const QStringList parts = line.split('|');
            const QString name = parts.at(0).trimmed();
            ActionJob job(actionByName.value(name));
            job.setPeerTimeout(m_peerTimeout);
            job.setLockSettle(200);
            QSignalSpy finished(&job, &ActionJob::finished);
            job.start();
            QVERIFY2(finished.wait(20000), qPrintable(name));
            QCOMPARE(finished.size(), 1);
            QFile release(m_release.filePath("release"));
            QVERIFY(release.open(QIODevice::WriteOnly));
            // The told sentence ends in the reason's words.
            const QString reason = parts.at(2).trimmed();
            QVERIFY2(reason.isEmpty() ? job.failureText().isEmpty() : job.failureText().endsWith(": " + reason + "."), qPrintable(job.failureText()));
            // Only the one route's call, once. A peer that did not answer in
            // time records its call all the same (GetCalls waits for it);
            // zel-wm's printout of a command may come after the job's end.
            if (parts.at(1).contains(QLatin1String("zel-wm."))) {
                QVERIFY(m_wm.waitForLines(1));
            }
            QCOMPARE(takeCalls().join(' '), parts.at(1).trimmed());
        }
        // The power actions asked polkit about the service's own process,
        // or about zel-wm's (by default the service's parent) on its route.
        const qint64 subject = zelWm ? qint64(getppid()) : QCoreApplication::applicationPid();
        const QList<qint64> pids = checkedPids(*peer("polkit"));
        for (const qint64 pid : pids) {
            QCOMPARE(pid, subject);
        }
        const bool anyPower = !expected.filter(QRegularExpression("^(shutdown|reboot|sleep|hibernate) ")).isEmpty();
        QCOMPARE(!pids.isEmpty(), anyPower);
    }
};

ZEL_TEST_MAIN_WITH(ActionJobTest, QCoreApplication, true)

#include "actionjobtest.moc"
