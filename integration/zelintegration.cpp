// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "zelintegration.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QUrl>

// Our stand-in for the desktop's integration library.
//
// Identity: every program of the desktop belongs to the organization
// "velmora" (domain "velmora.ru"). The application name is fixed by the
// program's title so that it does not depend on how the executable was
// started (a symlink or a renamed copy would otherwise move the settings file
// and the single-instance bus name):
//   "Zavirivoz Odoriz" -> zel-shutdown-scheduler-service
//                         settings: $XDG_CONFIG_HOME/velmora/zel-shutdown-scheduler-service.conf
//                         single-instance name: ru.velmora.zel-shutdown-scheduler-service
//   "Scheduler"        -> zel-scheduler
// Any other title keeps the executable's name.

namespace
{
const char *applicationNameFor(const QString &title)
{
    if (title == QLatin1String("Zavirivoz Odoriz")) {
        return "zel-shutdown-scheduler-service";
    }
    if (title == QLatin1String("Scheduler")) {
        return "zel-scheduler";
    }
    return nullptr;
}
} // namespace

void zelInit(const char *version, const char *name)
{
    const QString title = QString::fromUtf8(name ? name : "");
    QCoreApplication::setOrganizationName(QStringLiteral("velmora"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("velmora.ru"));
    if (const char *appName = applicationNameFor(title)) {
        QCoreApplication::setApplicationName(QString::fromLatin1(appName));
    }
    QCoreApplication::setApplicationVersion(QString::fromUtf8(version ? version : ""));
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setApplicationDisplayName(title);
    }
}

bool zelHelpShow(const QString &page)
{
    // The help is a set of HTML pages installed with the program:
    // <data dir>/zel-scheduler/help/<page or index>.html.
    const QString file = (page.isEmpty() ? QStringLiteral("index") : page) + QStringLiteral(".html");
    QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("zel-scheduler/help/") + file);
    if (path.isEmpty()) {
        // Not installed: the help beside the build tree's executable.
        const QString local = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zel-scheduler/help/") + file;
        if (QFileInfo::exists(local)) {
            path = local;
        }
    }
    if (path.isEmpty()) {
        return false;
    }
    // Hands the page to the desktop's URL handler, which opens it in the
    // user's browser or help viewer. xdg-open is started detached, whatever
    // the platform plugin; the plugin's own services are the fallback.
    const QUrl url = QUrl::fromLocalFile(path);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty() && QProcess::startDetached(opener, {url.toString(QUrl::FullyEncoded)})) {
        return true;
    }
    return QDesktopServices::openUrl(url);
}
