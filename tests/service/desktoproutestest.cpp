// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// The choice of route, one table: which peer carries out which action on
// which desktop, from the names on the buses alone. And what the
// availability report makes of it.

#include "desktoproutes.h"
#include "actionavailability.h"
#include "enumerations.h"
#include "zeltest.h"

#include <QJsonObject>

using DesktopRoutes::Desktop;
using DesktopRoutes::Route;

namespace
{
QSet<QString> names(const QString &list)
{
    const QStringList split = list.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return QSet<QString>(split.cbegin(), split.cend());
}

const QString logind = QStringLiteral("org.freedesktop.login1");
} // namespace

class DesktopRoutesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("currentDesktop");
        QTest::addColumn<QString>("seatPath");
        QTest::addColumn<bool>("zelWm");
        QTest::addColumn<int>("action");
        // Expected: the route's name ("" for none), then "service path method args" of its call.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("call");

        const QString plasma = "org.freedesktop.ScreenSaver org.kde.Shutdown";
        const QString gnome = "org.gnome.ScreenSaver org.freedesktop.ScreenSaver org.gnome.SessionManager";
        const QString lightdm = "org.freedesktop.login1 org.freedesktop.DisplayManager";
        const QString seat = "/org/freedesktop/DisplayManager/Seat0";
        // clang-format off
        QTest::newRow("Plasma lock") << plasma << logind << "KDE" << "" << false << int(ActionType::Lock)
            << "screen locker (org.freedesktop.ScreenSaver)" << "org.freedesktop.ScreenSaver /ScreenSaver Lock ";
        QTest::newRow("Plasma log out") << plasma << logind << "KDE" << "" << false << int(ActionType::EndSession)
            << "Plasma session" << "org.kde.Shutdown /Shutdown logout ";
        QTest::newRow("Plasma shut down") << plasma << logind << "KDE" << "" << false << int(ActionType::Shutdown)
            << "logind" << "org.freedesktop.login1 /org/freedesktop/login1 PowerOff true";
        QTest::newRow("Plasma sleep") << plasma << logind << "KDE" << "" << false << int(ActionType::Sleep)
            << "logind" << "org.freedesktop.login1 /org/freedesktop/login1 Suspend true";
        QTest::newRow("Plasma with a GNOME locker too") << plasma + " org.gnome.ScreenSaver" << logind << "KDE" << "" << false
            << int(ActionType::Lock) << "screen locker (org.freedesktop.ScreenSaver)" << "org.freedesktop.ScreenSaver /ScreenSaver Lock ";
        QTest::newRow("SDDM switch user") << plasma << lightdm << "KDE" << seat << false << int(ActionType::NewSession)
            << "display manager" << "org.freedesktop.DisplayManager " + seat + " SwitchToGreeter ";
        QTest::newRow("GNOME lock") << gnome << logind << "ubuntu:GNOME" << "" << false << int(ActionType::Lock)
            << "GNOME screen saver" << "org.gnome.ScreenSaver /org/gnome/ScreenSaver Lock ";
        QTest::newRow("GNOME lock, desktop unnamed") << gnome << logind << "" << "" << false << int(ActionType::Lock)
            << "GNOME screen saver" << "org.gnome.ScreenSaver /org/gnome/ScreenSaver Lock ";
        QTest::newRow("GNOME log out") << gnome << logind << "GNOME" << "" << false << int(ActionType::EndSession)
            << "GNOME session manager" << "org.gnome.SessionManager /org/gnome/SessionManager Logout 1";
        QTest::newRow("GDM switch user") << gnome << "org.freedesktop.login1 org.gnome.DisplayManager" << "GNOME" << "" << false
            << int(ActionType::NewSession) << "GDM" << "org.gnome.DisplayManager /org/gnome/DisplayManager/LocalDisplayFactory CreateTransientDisplay ";
        QTest::newRow("display manager without a seat path") << "" << lightdm << "" << "" << false << int(ActionType::NewSession) << "" << "";
        QTest::newRow("Cinnamon lock") << "org.cinnamon.ScreenSaver org.gnome.SessionManager" << logind << "X-Cinnamon" << "" << false
            << int(ActionType::Lock) << "Cinnamon screen saver" << "org.cinnamon.ScreenSaver /org/cinnamon/ScreenSaver Lock ";
        QTest::newRow("Cinnamon log out") << "org.cinnamon.ScreenSaver org.gnome.SessionManager" << logind << "X-Cinnamon" << "" << false
            << int(ActionType::EndSession) << "GNOME session manager" << "org.gnome.SessionManager /org/gnome/SessionManager Logout 1";
        QTest::newRow("MATE lock") << "org.mate.ScreenSaver org.freedesktop.ScreenSaver org.gnome.SessionManager" << logind << "MATE" << "" << false
            << int(ActionType::Lock) << "MATE screen saver" << "org.mate.ScreenSaver /org/mate/ScreenSaver Lock ";
        QTest::newRow("Xfce lock") << "org.xfce.ScreenSaver org.xfce.SessionManager" << logind << "XFCE" << "" << false << int(ActionType::Lock)
            << "Xfce screen saver" << "org.xfce.ScreenSaver /org/xfce/ScreenSaver Lock ";
        QTest::newRow("Xfce log out") << "org.xfce.ScreenSaver org.xfce.SessionManager" << logind << "XFCE" << "" << false
            << int(ActionType::EndSession) << "Xfce session" << "org.xfce.SessionManager /org/xfce/SessionManager Logout false true";
        QTest::newRow("LXQt log out") << "org.lxqt.session" << logind << "LXQt" << "" << false << int(ActionType::EndSession)
            << "LXQt session" << "org.lxqt.session /LXQtSession logout ";
        QTest::newRow("LXQt lock: logind session") << "org.lxqt.session" << logind << "LXQt" << "" << false << int(ActionType::Lock)
            << "logind session" << "org.freedesktop.login1  Lock ";
        QTest::newRow("bare log out: logind session") << "" << logind << "" << "" << false << int(ActionType::EndSession)
            << "logind session" << "org.freedesktop.login1  Terminate ";
        QTest::newRow("ConsoleKit without logind") << "" << "org.freedesktop.ConsoleKit" << "" << "" << false << int(ActionType::Hibernation)
            << "ConsoleKit" << "org.freedesktop.ConsoleKit /org/freedesktop/ConsoleKit/Manager Hibernate true";
        QTest::newRow("no login manager") << plasma << "" << "KDE" << "" << false << int(ActionType::Reboot) << "" << "";
        QTest::newRow("no locker, no logind") << "" << "" << "" << "" << false << int(ActionType::Lock) << "" << "";
        QTest::newRow("new session in a window elsewhere") << plasma << lightdm << "KDE" << seat << false << int(ActionType::NewSessionNewWindow) << "" << "";
        QTest::newRow("zel-wm before logind") << "" << logind << "" << "" << true << int(ActionType::Shutdown) << "zel-wm" << "";
        QTest::newRow("zel-wm before Plasma") << plasma << logind << "KDE" << "" << true << int(ActionType::Lock) << "zel-wm" << "";
        QTest::newRow("zel-wm new session in a window") << "" << "" << "" << "" << true << int(ActionType::NewSessionNewWindow) << "zel-wm" << "";
        QTest::newRow("turn on is no action") << plasma << logind << "KDE" << "" << true << int(ActionType::TurnOn) << "" << "";
        QTest::newRow("unknown number") << plasma << logind << "KDE" << "" << true << 42 << "" << "";
        // clang-format on
    }

    void choice()
    {
        QFETCH(QString, session);
        QFETCH(QString, system);
        QFETCH(QString, currentDesktop);
        QFETCH(QString, seatPath);
        QFETCH(bool, zelWm);
        QFETCH(int, action);
        QFETCH(QString, name);
        QFETCH(QString, call);

        const Desktop desktop{names(session), names(system), currentDesktop, seatPath, zelWm};
        const Route route = DesktopRoutes::choose(action, desktop);
        QCOMPARE(route.name, name);
        QCOMPARE(route.isAvailable(), !name.isEmpty());
        QCOMPARE(route.kind == Route::ZelWm, name == QLatin1String("zel-wm"));
        if (route.kind == Route::Call || route.kind == Route::OwnSession) {
            QStringList arguments;
            for (const QVariant &argument : route.arguments) {
                arguments << argument.toString();
            }
            QCOMPARE(QStringList({route.service, route.path, route.method, arguments.join(' ')}).join(' '), call);
            QCOMPARE(route.callsLoginManager(), route.systemBus && name != "display manager" && name != "GDM");
        }
    }

    void report()
    {
        // A Plasma desktop without zel-wm: suspend needs a password, this
        // machine cannot hibernate, a new session in a window is zel-wm's.
        const Desktop desktop{names("org.freedesktop.ScreenSaver org.kde.Shutdown"), names(logind), "KDE", "", false};
        const QHash<qint32, QString> can{{ActionType::Shutdown, "yes"}, {ActionType::Reboot, "yes"}, {ActionType::Sleep, "challenge"}};
        const QJsonArray report = ActionAvailability::report(desktop, can, true);
        QCOMPARE(report.size(), 9);
        // In the order of the action numbers, Turn On (-1) first.
        auto entry = [&report](int action) { return report.at(action + 1).toObject(); };
        QCOMPARE(entry(ActionType::TurnOn), QJsonObject({{"action_type", -1}, {"available", true}, {"route", "wake alarm"}}));
        QCOMPARE(entry(ActionType::Sleep), QJsonObject({{"action_type", 2}, {"available", true}, {"route", "logind"}, {"can", "challenge"}}));
        QCOMPARE(entry(ActionType::Hibernation),
            QJsonObject({{"action_type", 3}, {"available", false}, {"route", "logind"}, {"can", "na"}, {"reason", "logind says this machine cannot"}}));
        QCOMPARE(entry(ActionType::NewSessionNewWindow),
            QJsonObject({{"action_type", 5}, {"available", false}, {"route", ""}, {"reason", "not available on this desktop"}}));
        QCOMPARE(entry(ActionType::EndSession), QJsonObject({{"action_type", 7}, {"available", true}, {"route", "Plasma session"}}));

        // Through zel-wm the login manager's answer is told, not applied.
        const QJsonArray withWm = ActionAvailability::report(Desktop{{}, names(logind), "", "", true}, can, false);
        QCOMPARE(withWm.at(ActionType::Hibernation + 1).toObject().value("available"), QJsonValue(true));
        QCOMPARE(withWm.at(ActionType::Hibernation + 1).toObject().value("can"), QJsonValue("na"));

        // Without the right to set wake alarms: the command that grants it.
        const QJsonObject turnOn = withWm.at(0).toObject();
        QCOMPARE(turnOn.value("available"), QJsonValue(false));
        QVERIFY(turnOn.value("grant").toString().startsWith("sudo setcap cap_wake_alarm+ep /"));
        QVERIFY(turnOn.value("reason").toString().contains(turnOn.value("grant").toString()));
    }
};

ZEL_TEST_MAIN(DesktopRoutesTest)

#include "desktoproutestest.moc"
