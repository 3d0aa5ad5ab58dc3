// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The whole client program, started in desktops of its own (isolate.py):
// without the service installed, with a service whose activation never
// completes, with a service and a login manager that take calls and never
// answer, and with the build tree's service. Each run sets
// ZEL_SCHEDULER_QUIT_AFTER_MS, so that the client ends by itself, with exit
// code 0 only when its window was drawn, and says when that was. Whatever
// the others do, the window is drawn within a second of the start.

#include "zeltest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifndef ZEL_SCHEDULER_BIN
#error "ZEL_SCHEDULER_BIN must name the built client program"
#endif

namespace
{
const QString serviceName = QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");

// The bound on the time from the start of the program to its first frame.
constexpr int firstFrameBoundMs = 1000;

struct Run
{
    int exitCode = -1;
    qint64 elapsedMs = 0;
    QString output;

    // Milliseconds from the program's start to its window's first frame,
    // -1 when there was none.
    int firstFrameMs() const
    {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("first frame after (-?\\d+) ms")).match(output);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
};

// Runs a command under isolate.py with the given options.
Run isolated(const QStringList &isolateOptions, const QStringList &command)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZEL_SCHEDULER_QUIT_AFTER_MS"), QStringLiteral("1500"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(
        QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(ZEL_ISOLATE_SCRIPT)} + isolateOptions + QStringList{QStringLiteral("--")} + command);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.output = QStringLiteral("did not finish in 60 s");
        return run;
    }
    run.elapsedMs = clock.elapsed();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

QString describe(const Run &run)
{
    return QStringLiteral("exit %1 after %2 ms; output:\n%3").arg(run.exitCode).arg(run.elapsedMs).arg(run.output.right(3000));
}

// Shown in time: a frame came, and no later than the bound.
bool shownInTime(const Run &run)
{
    return run.exitCode == 0 && run.firstFrameMs() >= 0 && run.firstFrameMs() <= firstFrameBoundMs;
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
        const Run run = isolated(options, {QStringLiteral(ZEL_SCHEDULER_BIN)});
        QVERIFY2(shownInTime(run), qPrintable(describe(run)));
    }

    // The bus starts a program that never takes the name: the window does
    // not wait for it.
    void activationNeverCompletes()
    {
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkpath(QStringLiteral("dbus-1/services")));
        QFile entry(data.filePath(QStringLiteral("dbus-1/services/%1.service").arg(serviceName)));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[D-BUS Service]\nName=%1\nExec=/bin/sleep 120\n").arg(serviceName).toUtf8());
        entry.close();

        const Run run = isolated({QStringLiteral("--no-x"), QStringLiteral("--data-dir"), data.path()}, {QStringLiteral(ZEL_SCHEDULER_BIN)});
        QVERIFY2(shownInTime(run), qPrintable(describe(run)));
    }

    // The service's name and the login manager's are held by processes that
    // are stopped: every call to them waits.
    void peersThatNeverAnswer()
    {
        const QString script = QStringLiteral("/usr/bin/python3 -m dbusmock %1 /Presets %1 >/dev/null & service=$!\n"
                                              "/usr/bin/python3 -m dbusmock --system --template logind >/dev/null & logind=$!\n"
                                              "gdbus wait --session --timeout 20 %1 && gdbus wait --system --timeout 20 org.freedesktop.login1 || exit 3\n"
                                              "kill -STOP $service $logind\n"
                                              "\"$0\"; status=$?\n"
                                              "kill -CONT $service $logind; kill $service $logind\n"
                                              "exit $status\n")
                                   .arg(serviceName);
        const Run run = isolated({}, {QStringLiteral("/bin/sh"), QStringLiteral("-c"), script, QStringLiteral(ZEL_SCHEDULER_BIN)});
        QVERIFY2(shownInTime(run), qPrintable(describe(run)));
    }

    // With the build tree's activation entry the start-up wakes the service.
    void startupWakesTheService()
    {
        const QString check = QStringLiteral("\"$0\" && gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus "
                                             "--method org.freedesktop.DBus.NameHasOwner %1")
                                  .arg(serviceName);
        const Run run = isolated({QStringLiteral("--no-x"), QStringLiteral("--data-dir"), QStringLiteral(ZEL_BUILD_DATA_DIR)},
            {QStringLiteral("/bin/sh"), QStringLiteral("-c"), check, QStringLiteral(ZEL_SCHEDULER_BIN)});
        QVERIFY2(shownInTime(run), qPrintable(describe(run)));
        QVERIFY2(run.output.contains(QLatin1String("(true,)")), qPrintable(describe(run)));
    }
};

ZEL_TEST_MAIN(ClientStartupTest)

#include "clientstartuptest.moc"
