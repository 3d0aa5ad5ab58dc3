// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler.widgets 1.0

// A question of the window, asked in a dialog over it. It goes once it is
// closed; each question is a new one. (Kirigami's PromptDialog would do, but
// its wrapped text measures itself in binding loops.)
ModalDialog {
    id: root

    property alias question: text.text

    padding: Kirigami.Units.largeSpacing
    preferredWidth: Kirigami.Units.gridUnit * 20

    Label {
        id: text
        wrapMode: Text.Wrap
    }
}
