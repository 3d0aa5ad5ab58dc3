// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami

// The action chooser: each row of the action model with its icon. Rows that
// the machine does not support are shown disabled and cannot be chosen, with
// the mouse or with the keyboard.
ComboBox {
    id: control

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    property int previousIndex: -1
    property int lastIndex: -1

    function isRowEnabled(row) {
        var entry = rowStates.objectAt(row)
        return entry === null || entry.enabled
    }

    textRole: "name"
    valueRole: "type"
    editable: false
    rightPadding: 24
    // The style draws displayText itself; the content item below shows the
    // text next to the icon instead.
    displayText: ""
    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)

    onCurrentIndexChanged: {
        previousIndex = lastIndex
        lastIndex = currentIndex
    }

    onActivated: function (index) {
        if (!isRowEnabled(index)) {
            currentIndex = previousIndex
        }
    }

    Instantiator {
        id: rowStates
        model: control.model
        delegate: QtObject {
            readonly property bool enabled: model.enabled
        }
    }

    contentItem: RowLayout {
        // The style's touch cursor asks the content item for a text
        // position; there is no text to edit here.
        readonly property int selectionStart: 0
        function positionToRectangle(position) {
            return Qt.rect(0, 0, 0, 0)
        }

        spacing: Kirigami.Units.smallSpacing

        Kirigami.Icon {
            Layout.preferredWidth: Kirigami.Units.iconSizes.small
            Layout.preferredHeight: Kirigami.Units.iconSizes.small
            source: control.hasBackend && control.currentIndex >= 0 ? (backend.actionModel.getIcon(control.currentIndex) || "") : ""
        }
        Label {
            Layout.fillWidth: true
            text: control.currentText
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
    }

    delegate: ItemDelegate {
        width: control.popup.width
        text: model.name
        icon.name: model.icon
        icon.width: Kirigami.Units.iconSizes.small
        icon.height: Kirigami.Units.iconSizes.small
        enabled: model.enabled
        highlighted: control.highlightedIndex === index
    }
}
