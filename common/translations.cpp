// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

namespace Translations
{
namespace
{
QStringList localeFolders()
{
    QStringList folders = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("locale"), QStandardPaths::LocateDirectory);
    const QString beside = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/locale"));
    if (QFileInfo(beside).isDir() && !folders.contains(beside)) {
        folders << beside;
    }
    return folders;
}

QString fileName(const QString &catalogue)
{
    return catalogue + QStringLiteral("_qt.qm");
}

// The catalogue's file for the language folder, empty when none is there.
QString find(const QStringList &localeFolders, const QString &language, const QString &catalogue)
{
    for (const QString &folder : localeFolders) {
        const QString path = folder + QLatin1Char('/') + language + QStringLiteral("/LC_MESSAGES/") + fileName(catalogue);
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return QString();
}
} // namespace

QStringList languageFolders(const QStringList &uiLanguages)
{
    QStringList folders;
    for (const QString &uiLanguage : uiLanguages) {
        QString folder = uiLanguage;
        folder.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString language = folder.section(QLatin1Char('_'), 0, 0);
        if (language == QLatin1String("en") || language == QLatin1String("C")) {
            break;
        }
        for (const QString &candidate : {folder, language}) {
            if (!candidate.isEmpty() && !folders.contains(candidate)) {
                folders << candidate;
            }
        }
    }
    return folders;
}

QString install(const QStringList &catalogues)
{
    if (catalogues.isEmpty()) {
        return QString();
    }
    const QStringList folders = localeFolders();
    const QStringList languages = languageFolders(QLocale().uiLanguages());
    for (const QString &language : languages) {
        if (find(folders, language, catalogues.first()).isEmpty()) {
            continue;
        }
        auto qt = new QTranslator(QCoreApplication::instance());
        if (qt->load(QStringLiteral("qt_") + language, QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt);
        } else {
            delete qt;
        }
        for (const QString &catalogue : catalogues) {
            auto translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(find(folders, language, catalogue))) {
                QCoreApplication::installTranslator(translator);
            } else {
                delete translator;
            }
        }
        return language;
    }
    return QString();
}

QStringList inEveryLanguage(const QString &catalogue, const char *context, const QList<const char *> &sources)
{
    QStringList texts;
    for (const char *source : sources) {
        texts << QString::fromUtf8(source);
    }
    const QStringList folders = localeFolders();
    for (const QString &folder : folders) {
        const QDir dir(folder);
        const QStringList languages = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &language : languages) {
            const QString path = dir.filePath(language + QStringLiteral("/LC_MESSAGES/") + fileName(catalogue));
            QTranslator translator;
            if (!QFileInfo::exists(path) || !translator.load(path)) {
                continue;
            }
            for (const char *source : sources) {
                texts << translator.translate(context, source);
            }
        }
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}
} // namespace Translations
