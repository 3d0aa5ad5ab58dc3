// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami

// The action chooser: each row of the action model with its icon. Rows that
// this desktop cannot carry out are shown disabled with the reason, and
// cannot be chosen, with the mouse or with the keyboard; the reason is in
// the row's text, as a disabled row gets no hover for a tooltip. A row's
// hint ("asks for a password") is its tooltip. As wide as the longest name
// with its icon.
ComboBox {
    id: control

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    // What the field is, for the screen reader ("Action").
    property string label
    property int previousIndex: -1
    // The widest row of the list seen so far: a row that says why it
    // cannot be chosen is longer than any name.
    property real widestRow: 0
    property int lastIndex: -1

    function isRowEnabled(row) {
        var entry = rowStates.objectAt(row)
        return entry === null || entry.enabled
    }

    textRole: "name"
    valueRole: "type"
    editable: false
    // The style draws displayText itself, and measures its room by the
    // longest name; the content item below shows the text next to the icon
    // instead, and the icon takes room of its own.
    displayText: ""
    // Room for the style's arrow.
    rightPadding: Kirigami.Units.iconSizes.small + Kirigami.Units.largeSpacing
    implicitWidth: implicitBackgroundWidth + leftInset + rightInset + Kirigami.Units.iconSizes.sizeForLabels + Kirigami.Units.smallSpacing
    Accessible.name: qsTr("%1: %2", "a chooser read aloud: its label, the entry chosen").arg(label).arg(currentText)

    onCurrentIndexChanged: {
        previousIndex = lastIndex
        lastIndex = currentIndex
    }

    onActivated: function (index) {
        if (!isRowEnabled(index)) {
            currentIndex = previousIndex
        }
    }

    Binding {
        target: control.popup
        property: "width"
        value: Math.max(control.width, control.widestRow)
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
            Layout.preferredWidth: Kirigami.Units.iconSizes.sizeForLabels
            Layout.preferredHeight: Kirigami.Units.iconSizes.sizeForLabels
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
        text: model.enabled || model.reason === "" ? model.name : qsTr("%1 (%2)", "an action that cannot be chosen, and why").arg(model.name).arg(model.reason)
        ToolTip.text: model.hint
        ToolTip.visible: hovered && model.hint !== ""
        ToolTip.delay: Kirigami.Units.toolTipDelay
        icon.name: model.icon
        icon.width: Kirigami.Units.iconSizes.sizeForLabels
        icon.height: Kirigami.Units.iconSizes.sizeForLabels
        enabled: model.enabled
        highlighted: control.highlightedIndex === index
        onImplicitWidthChanged: control.widestRow = Math.max(control.widestRow, implicitWidth)
        Component.onCompleted: control.widestRow = Math.max(control.widestRow, implicitWidth)
    }
}
