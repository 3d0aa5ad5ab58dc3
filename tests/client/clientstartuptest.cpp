// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The whole client program, started in desktops of its own (isolate.py):
// without the service installed, with a service whose activation never
// completes, with a service and a login manager that take calls and never
// answer, with the build tree's service, and on a Wayland compositor with
// no X display at all. Each run goes through
// first-frame.sh, which succeeds once the window has drawn its first frame.
// Where a peer holds its calls, it holds them until the program has ended:
// the window is drawn while they are still unanswered, whatever the load on
// the machine.

#include "zeltest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#ifndef ZEL_SCHEDULER_BIN
#error "ZEL_SCHEDULER_BIN must name the built client program"
#endif
#ifndef ZEL_FIRST_FRAME_SCRIPT
#error "ZEL_FIRST_FRAME_SCRIPT must name tests/client/first-frame.sh"
#endif

namespace
{
const QString serviceName = QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
const QString client = QStringLiteral(ZEL_SCHEDULER_BIN);
const QString firstFrame = QStringLiteral(ZEL_FIRST_FRAME_SCRIPT);

struct Run
{
    int exitCode = -1;
    QString output;

    bool drawn() const { return exitCode == 0 && output.contains(QLatin1String("first-frame: drawn")); }
    QString describe() const { return QStringLiteral("exit %1; output:\n%2").arg(exitCode).arg(output.right(3000)); }
};

// Runs a command under isolate.py with the given options.
Run isolated(const QStringList &isolateOptions, const QStringList &command)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(ZEL_ISOLATE_SCRIPT)} + isolateOptions + QStringList{QStringLiteral("--")} + command);
    Run run;
    // Only a hang takes this long: first-frame.sh gives up after 60 s.
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.output = QStringLiteral("did not finish in 120 s");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}
} // namespace

class ClientStartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serviceNotInstalled_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("offscreen") << QStringList{QStringLiteral("--no-x")};
        QTest::newRow("X11") << QStringList();
    }

    // The session bus has no activation entry: the window opens,
    // disconnected.
    void serviceNotInstalled()
    {
        QFETCH(QStringList, options);
        const Run run = isolated(options, {firstFrame, client});
        QVERIFY2(run.drawn(), qPrintable(run.describe()));
    }

    // The bus starts a program that never takes the name: the window is
    // drawn while the activation is still pending.
    void activationNeverCompletes()
    {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("dbus-1/services")));
        QFile entry(data.filePath(QStringLiteral("dbus-1/services/%1.service").arg(serviceName)));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=/bin/sleep 600\n").arg(serviceName).toUtf8());
        entry.close();

        const Run run = isolated({QStringLiteral("--no-x"), QStringLiteral("--data-dir"), data.path()}, {firstFrame, client});
        QVERIFY2(run.drawn(), qPrintable(run.describe()));
    }

    // The service's name and the login manager's are held by processes that
    // are stopped until the window program has ended: every call to them
    // waits, and the window is drawn all the same.
    void peersThatNeverAnswer()
    {
        const QString script = QStringLiteral("/usr/bin/python3 -m dbusmock %1 /Presets %1 >/dev/null & service=$!\n"
                                              "/usr/bin/python3 -m dbusmock --system --template logind >/dev/null & logind=$!\n"
                                              "gdbus wait --session --timeout 60 %1 && gdbus wait --system --timeout 60 org.freedesktop.login1 || exit 3\n"
                                              "kill -STOP $service $logind\n"
                                              "\"$0\" \"$1\"; status=$?\n"
                                              "kill -CONT $service $logind; kill $service $logind\n"
                                              "exit $status\n")
                                   .arg(serviceName);
        const Run run = isolated({}, {QStringLiteral("/bin/sh"), QStringLiteral("-c"), script, firstFrame, client});
        QVERIFY2(run.drawn(), qPrintable(run.describe()));
    }

    // Qt's wayland platform on a headless weston, with no DISPLAY: the
    // platform is named without a fallback, so a window that would only
    // draw on X11 fails here. The socket lives in the test's own
    // XDG_RUNTIME_DIR (isolate.py makes one).
    void wayland()
    {
        const QString script = QStringLiteral("socket=zel-test-wayland\n"
                                              "weston --backend=headless-backend.so --socket=$socket >\"$XDG_RUNTIME_DIR/weston.log\" 2>&1 & weston=$!\n"
                                              "polls=0\n"
                                              "until [ -S \"$XDG_RUNTIME_DIR/$socket\" ]; do\n"
                                              "    kill -0 $weston 2>/dev/null || { cat \"$XDG_RUNTIME_DIR/weston.log\"; echo 'weston ended'; exit 3; }\n"
                                              "    polls=$((polls + 1)); [ $polls -le 300 ] || { echo 'no weston socket within 30 s'; exit 3; }\n"
                                              "    sleep 0.1\n"
                                              "done\n"
                                              "[ -z \"$DISPLAY\" ] || exit 4\n"
                                              "WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland \"$0\" \"$1\"; status=$?\n"
                                              "kill $weston\n"
                                              "exit $status\n");
        const Run run = isolated({QStringLiteral("--no-x")}, {QStringLiteral("/bin/sh"), QStringLiteral("-c"), script, firstFrame, client});
        QVERIFY2(run.drawn(), qPrintable(run.describe()));
    }

    // With the build tree's activation entry the start-up wakes the service.
    void startupWakesTheService()
    {
        const QString check = QStringLiteral("\"$0\" \"$1\" && gdbus wait --session --timeout 60 %1 && echo woken").arg(serviceName);
        const Run run = isolated({QStringLiteral("--no-x"), QStringLiteral("--data-dir"), QStringLiteral(ZEL_BUILD_DATA_DIR)},
            {QStringLiteral("/bin/sh"), QStringLiteral("-c"), check, firstFrame, client});
        QVERIFY2(run.drawn(), qPrintable(run.describe()));
        QVERIFY2(run.output.contains(QLatin1String("woken")), qPrintable(run.describe()));
    }
};

ZEL_TEST_MAIN(ClientStartupTest)

#include "clientstartuptest.moc"
