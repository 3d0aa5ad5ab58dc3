// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

// The translations of the programs' texts. A catalogue NAME of language LANG
// is the file NAME_qt.qm in the folder locale/LANG/LC_MESSAGES/ of a data
// folder (QStandardPaths' generic data locations, then the share/ folder
// beside the program's own folder, which is where the build tree keeps
// them). LANG is a language ("ru") or a language and country ("ru_RU").
namespace Translations
{
// The catalogue language folders worth looking for, best first, for the
// user's interface languages as QLocale::uiLanguages() gives them ("ru-RU",
// "ru"). The list ends before the first English language: the source texts
// are English, and a later language was only asked for in its absence.
QStringList languageFolders(const QStringList &uiLanguages);

// Installs the translators of the user's interface language into the
// application: the catalogues named, and Qt's own (the texts of standard
// buttons and dialogs). The language is the first of languageFolders() that
// has the first catalogue named, the program's own. Returns that folder,
// empty when the texts stay English. Call once, after the application
// object exists and before any text is shown.
QString install(const QStringList &catalogues);

// The texts and every translation of them that the installed catalogues of
// that name hold, in any language. For recognising texts written in
// whatever language the user had at the time.
QStringList inEveryLanguage(const QString &catalogue, const char *context, const QList<const char *> &sources);
} // namespace Translations
