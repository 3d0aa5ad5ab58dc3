// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "desktoproutes.h"

#include "enumerations.h"
#include "peeraddresses.h"

#include <QStringList>
#include <QVector>

namespace DesktopRoutes
{
namespace
{
struct Candidate
{
    Route route;
    // The desktops (as XDG_CURRENT_DESKTOP names them) this peer belongs to.
    QStringList desktops;
    // A further condition beyond the name having an owner.
    bool usable = true;
};

Route call(const QString &name,
    bool systemBus,
    const QString &service,
    const QString &path,
    const QString &interface,
    const QString &method,
    const QVariantList &arguments = {})
{
    Route route;
    route.kind = path.isEmpty() ? Route::OwnSession : Route::Call;
    route.name = name;
    route.systemBus = systemBus;
    route.service = service;
    route.path = path;
    route.interface = interface;
    route.method = method;
    route.arguments = arguments;
    return route;
}

Route ownSession(const QString &method)
{
    return call(QStringLiteral("logind session"), true, PeerAddress::logind(), QString(), PeerAddress::logindSession(), method);
}

QVector<Candidate> candidates(qint32 action, const Desktop &desktop)
{
    using namespace PeerAddress;
    QString power;
    switch (action) {
    case ActionType::Shutdown:
        power = QStringLiteral("PowerOff");
        break;
    case ActionType::Reboot:
        power = QStringLiteral("Reboot");
        break;
    case ActionType::Sleep:
        power = QStringLiteral("Suspend");
        break;
    case ActionType::Hibernation:
        power = QStringLiteral("Hibernate");
        break;
    case ActionType::Lock: {
        const QString lock = QStringLiteral("Lock");
        const QString saver = QStringLiteral("org.gnome.ScreenSaver");
        // The desktops' own lockers come before the common name, which
        // GNOME serves only to refuse.
        return {
            {call(QStringLiteral("GNOME screen saver"), false, gnomeScreenSaver(), gnomeScreenSaverPath(), saver, lock), {QStringLiteral("GNOME")}},
            {call(QStringLiteral("Cinnamon screen saver"),
                 false,
                 cinnamonScreenSaver(),
                 cinnamonScreenSaverPath(),
                 QStringLiteral("org.cinnamon.ScreenSaver"),
                 lock,
                 {QString()}),
                {QStringLiteral("X-Cinnamon")}},
            {call(QStringLiteral("Xfce screen saver"), false, xfceScreenSaver(), xfceScreenSaverPath(), QStringLiteral("org.xfce.ScreenSaver"), lock),
                {QStringLiteral("XFCE")}},
            {call(QStringLiteral("MATE screen saver"), false, mateScreenSaver(), mateScreenSaverPath(), QStringLiteral("org.mate.ScreenSaver"), lock),
                {QStringLiteral("MATE")}},
            {call(QStringLiteral("screen locker (org.freedesktop.ScreenSaver)"),
                 false,
                 freedesktopScreenSaver(),
                 freedesktopScreenSaverPath(),
                 freedesktopScreenSaver(),
                 lock),
                {QStringLiteral("KDE"), QStringLiteral("LXQt")}},
            {ownSession(lock), {}},
        };
    }
    case ActionType::EndSession:
        // Each without the desktop's own confirmation: the warning was it.
        return {
            {call(QStringLiteral("Plasma session"), false, plasmaShutdown(), plasmaShutdownPath(), plasmaShutdown(), QStringLiteral("logout")),
                {QStringLiteral("KDE")}},
            {call(QStringLiteral("GNOME session manager"), false, gnomeSession(), gnomeSessionPath(), gnomeSession(), QStringLiteral("Logout"), {1u}),
                {QStringLiteral("GNOME"), QStringLiteral("MATE"), QStringLiteral("X-Cinnamon")}},
            {call(QStringLiteral("Xfce session"), false, xfceSession(), xfceSessionPath(), xfceSessionInterface(), QStringLiteral("Logout"), {false, true}),
                {QStringLiteral("XFCE")}},
            {call(QStringLiteral("LXQt session"), false, lxqtSession(), lxqtSessionPath(), lxqtSession(), QStringLiteral("logout")), {QStringLiteral("LXQt")}},
            {ownSession(QStringLiteral("Terminate")), {}},
        };
    case ActionType::NewSession:
        return {
            {call(QStringLiteral("display manager"), true, displayManager(), desktop.seatPath, displayManagerSeat(), QStringLiteral("SwitchToGreeter")),
                {},
                !desktop.seatPath.isEmpty()},
            {call(QStringLiteral("GDM"), true, gdm(), gdmFactoryPath(), gdmFactory(), QStringLiteral("CreateTransientDisplay")), {QStringLiteral("GNOME")}},
        };
    default:
        // A new session in a window is zel-wm's alone; numbers that name no
        // action have no route at all.
        return {};
    }
    return {
        {call(QStringLiteral("logind"), true, logind(), logindPath(), logindManager(), power, {true}), {}},
        {call(QStringLiteral("ConsoleKit"), true, consoleKit(), consoleKitPath(), consoleKitManager(), power, {true}), {}},
    };
}

bool belongsTo(const Candidate &candidate, const QStringList &desktops)
{
    for (const QString &name : candidate.desktops) {
        if (desktops.contains(name, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}
} // namespace

bool Route::callsLoginManager() const
{
    return kind == OwnSession || (kind == Call && systemBus && (service == PeerAddress::logind() || service == PeerAddress::consoleKit()));
}

Route choose(qint32 action, const Desktop &desktop)
{
    const bool known = action >= ActionType::Shutdown && action <= ActionType::EndSession;
    if (known && desktop.zelWm) {
        Route route;
        route.kind = Route::ZelWm;
        route.name = QStringLiteral("zel-wm");
        return route;
    }
    QVector<Candidate> present;
    const QVector<Candidate> all = candidates(action, desktop);
    for (const Candidate &candidate : all) {
        const QSet<QString> &names = candidate.route.systemBus ? desktop.systemNames : desktop.sessionNames;
        if (candidate.usable && names.contains(candidate.route.service)) {
            present << candidate;
        }
    }
    if (present.isEmpty()) {
        return Route();
    }
    const QStringList desktops = desktop.currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const Candidate &candidate : qAsConst(present)) {
        if (belongsTo(candidate, desktops)) {
            return candidate.route;
        }
    }
    return present.first().route;
}

QString notAvailableText()
{
    return QStringLiteral("not available on this desktop");
}
} // namespace DesktopRoutes
