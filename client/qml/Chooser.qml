// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami

// A choice from a list model of entries with "text" and, optionally, a
// "separator" after them and "enabled" (isEnabled()). As wide as its
// longest entry (the style measures them). A screen reader hears the
// field's label and the entry chosen.
ComboBox {
    id: control

    // What the field is, for the screen reader ("Repeat").
    property string label
    // Whether entry index can be chosen.
    property var isEnabled: function (index) {
        return true
    }

    textRole: "text"
    Accessible.name: qsTr("%1: %2", "a chooser read aloud: its label, the entry chosen").arg(label).arg(displayText)

    delegate: ItemDelegate {
        width: control.popup.width
        text: model.text
        enabled: control.isEnabled(index)
        highlighted: control.highlightedIndex === index
        bottomInset: model.separator ? separatorLine.height + Kirigami.Units.smallSpacing : 0
        bottomPadding: topPadding + bottomInset
        Kirigami.Separator {
            id: separatorLine
            visible: model.separator === true
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
        }
    }
}
