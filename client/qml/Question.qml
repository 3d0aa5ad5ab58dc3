// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
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

    // The dialog's buttons that Enter may answer with.
    readonly property var answers: [Dialog.Ok, Dialog.Apply, Dialog.Discard, Dialog.Cancel]

    // The button Enter answers with: the one with the focus, otherwise the
    // one the dialog opened on.
    function defaultButton() {
        var focused = text.Window.activeFocusItem
        for (var i = 0; i < answers.length; ++i) {
            var button = standardButton(answers[i])
            if (button && button === focused) {
                return button
            }
        }
        return initialFocus
    }

    Label {
        id: text
        wrapMode: Text.Wrap

        // Enter and Return answer with the default button, as in every KDE
        // dialog (the buttons themselves take only Space); Escape cancels.
        Shortcut {
            sequences: ["Return", "Enter"]
            onActivated: {
                var button = root.defaultButton()
                if (button && button.enabled) {
                    button.clicked()
                }
            }
        }
    }
}
