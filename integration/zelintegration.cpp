// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "zelintegration.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
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
//   "Scheduler Status" -> zel-scheduler-tray (the status icon)
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
    if (title == QLatin1String("Scheduler Status")) {
        return "zel-scheduler-tray";
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

namespace
{
// The help's subfolders for the user's interface languages, best first
// ("ru_RU", "ru"), then the help folder itself, which is English. Languages
// after the first English one are not wanted.
QStringList helpFolders()
{
    QStringList folders;
    const QStringList languages = QLocale().uiLanguages();
    for (QString language : languages) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (language.startsWith(QLatin1String("en")) || language == QLatin1String("C")) {
            break;
        }
        folders << language + QLatin1Char('/') << language.section(QLatin1Char('_'), 0, 0) + QLatin1Char('/');
    }
    folders << QString();
    folders.removeDuplicates();
    return folders;
}
} // namespace

QString zelHelpPath(const QString &page)
{
    // The help is a set of HTML pages installed with the program:
    // <data dir>/zel-scheduler/help/[<language>/]<page or index>.html, in
    // the user's language where it has been translated.
    const QString file = (page.isEmpty() ? QStringLiteral("index") : page) + QStringLiteral(".html");
    QString path;
    const QStringList folders = helpFolders();
    for (const QString &folder : folders) {
        const QString relative = QStringLiteral("zel-scheduler/help/") + folder + file;
        path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative);
        if (path.isEmpty()) {
            // Not installed: the help beside the build tree's executable.
            const QString local = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/") + relative;
            if (QFileInfo::exists(local)) {
                path = local;
            }
        }
        if (!path.isEmpty()) {
            break;
        }
    }
    return path;
}

bool zelHelpShow(const QString &page)
{
    const QString path = zelHelpPath(page);
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
