// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler.widgets 1.0

// The help page, shown in the window: it needs no browser. Its links open
// in the desktop's handler for them; Open in Browser hands the whole page
// to it, and says so in the window when that fails.
ModalDialog {
    id: dialog
    objectName: "helpDialog"

    // The page as HTML.
    property alias page: text.text

    signal openInBrowser

    title: qsTr("Help")
    standardButtons: Dialog.Close
    initialFocus: text
    padding: Kirigami.Units.largeSpacing
    preferredWidth: Kirigami.Units.gridUnit * 36
    customFooterActions: [
        Kirigami.Action {
            objectName: "openInBrowserAction"
            text: qsTr("Open in Browser")
            icon.name: "internet-web-browser"
            onTriggered: dialog.openInBrowser()
        }
    ]

    TextEdit {
        id: text
        objectName: "helpText"
        readOnly: true
        selectByMouse: true
        textFormat: TextEdit.RichText
        wrapMode: TextEdit.Wrap
        color: Kirigami.Theme.textColor
        selectedTextColor: Kirigami.Theme.highlightedTextColor
        selectionColor: Kirigami.Theme.highlightColor
        // The page reads from its start; arrows and Page keys scroll it.
        activeFocusOnTab: true
        Accessible.name: dialog.title
        Accessible.role: Accessible.StaticText
        onLinkActivated: function (link) {
            Qt.openUrlExternally(link)
        }

        HoverHandler {
            cursorShape: text.hoveredLink !== "" ? Qt.PointingHandCursor : Qt.IBeamCursor
        }
    }
}
