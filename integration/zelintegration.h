// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The desktop's integration library, called by both programs.

class QString;

// Sets up the calling program's identity in the desktop: organization,
// application name, version and display name. Call it once, right after the
// application object exists.
void zelInit(const char *version, const char *name);

// The installed help page (an empty page is the start page) in the user's
// language where it has been translated, as a local file path; empty when
// it is not installed.
QString zelHelpPath(const QString &page);

// Opens the program's help; an empty page opens its start page. Returns at
// once without waiting for the viewer: true when the page was handed to one,
// false when the page is not installed or no viewer could be started.
bool zelHelpShow(const QString &page);
