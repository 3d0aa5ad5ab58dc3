// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami

// One row of the preset list: the action's icon, the preset's title with a
// line under it on what it is doing ("Ends at 14:35", "Next: Mon 22:00 · in
// 3 h 12 min", "Paused"), and the run buttons that fit its run state, all
// centred on the row. A long title is cut short before the buttons. A
// preset the administrator set shows a lock before them. A screen reader
// reads the row as one sentence.
Kirigami.AbstractListItem {
    id: item
    objectName: "presetRow"

    readonly property string presetId: model.id
    readonly property string label: model.name
    readonly property string status: model.status
    readonly property bool isStarted: model.isStarted
    readonly property bool isPaused: model.isPaused
    readonly property bool isStored: model.isStored
    readonly property bool followsClock: model.followsClock
    readonly property bool isManaged: model.isManaged
    // Whether the run buttons are on the Tab chain (a click leaves the
    // focus where it was).
    property bool buttonsTakeFocus: false
    // Whether the row shows the list's keyboard focus.
    property bool showsFocus: false
    readonly property color textColor: highlighted || pressed ? Kirigami.Theme.highlightedTextColor : Kirigami.Theme.textColor

    signal startRequested
    signal pauseRequested
    signal stopRequested
    // Space on the row, which the list gives the focus to.
    signal startOrPauseRequested

    highlighted: model.selected
    // The row is no button to the keyboard: Space starts or pauses it.
    Keys.onSpacePressed: startOrPauseRequested()
    Accessible.role: Accessible.ListItem
    Accessible.name: isManaged ? qsTr("%1, set by your administrator").arg(model.description) : model.description
    // A title cut short shows whole on hover.
    ToolTip.text: label
    ToolTip.visible: hovered && nameLabel.truncated
    ToolTip.delay: Kirigami.Units.toolTipDelay

    // The style's focus frame is drawn in the selection's colour, which
    // vanishes on the selected row: there it is drawn in the colour of the
    // selected text, inside the row's edge.
    component FocusFrame: Rectangle {
        color: "transparent"
        radius: Kirigami.Units.smallSpacing / 2
        anchors.margins: item.highlighted ? border.width : 0
        border.width: Math.max(1, Math.round(Kirigami.Units.smallSpacing / 2))
        border.color: item.highlighted ? Kirigami.Theme.highlightedTextColor : Kirigami.Theme.focusColor
    }

    contentItem: RowLayout {
        spacing: Kirigami.Units.smallSpacing

        // The keyboard's focus, around the whole row.
        FocusFrame {
            objectName: "rowFocus"
            parent: item
            anchors.fill: parent
            visible: item.showsFocus
        }

        Kirigami.Icon {
            Layout.preferredWidth: Kirigami.Units.iconSizes.sizeForLabels
            Layout.preferredHeight: Kirigami.Units.iconSizes.sizeForLabels
            source: model.actionIconName
            selected: item.highlighted || item.pressed
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 0

            Label {
                id: nameLabel
                objectName: "presetName"
                Layout.fillWidth: true
                text: item.label
                elide: Text.ElideRight
                color: item.textColor
                Accessible.ignored: true
            }
            Label {
                objectName: "presetStatus"
                Layout.fillWidth: true
                text: item.status
                elide: Text.ElideRight
                font: Kirigami.Theme.smallFont
                color: item.textColor
                opacity: 0.75
                Accessible.ignored: true
            }
        }
        Kirigami.Icon {
            objectName: "managedMark"
            Layout.preferredWidth: Kirigami.Units.iconSizes.sizeForLabels
            Layout.preferredHeight: Kirigami.Units.iconSizes.sizeForLabels
            visible: item.isManaged
            source: "object-locked"
            selected: item.highlighted || item.pressed
            Accessible.name: qsTr("Set by your administrator")
            ToolTip.text: Accessible.name
            ToolTip.visible: lockHover.hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay

            HoverHandler {
                id: lockHover
            }
        }
        // A disabled button takes no hover, so the hint why it is disabled
        // hangs on this item around it.
        Item {
            implicitWidth: startButton.implicitWidth
            implicitHeight: startButton.implicitHeight
            visible: !item.isStarted || item.isPaused
            ToolTip.text: item.isStored ? startButton.text : qsTr("Apply the preset to be able to start it.")
            // Gone with the button once the preset starts.
            ToolTip.visible: startHover.hovered && visible
            ToolTip.delay: Kirigami.Units.toolTipDelay

            HoverHandler {
                id: startHover
            }
            IconButton {
                id: startButton
                objectName: "startButton"
                FocusFrame {
                    anchors.fill: parent
                    visible: parent.visualFocus && item.highlighted
                }
                anchors.fill: parent
                text: qsTr("Start")
                icon.name: "media-playback-start-symbolic"
                focusPolicy: item.buttonsTakeFocus || activeFocus ? Qt.TabFocus : Qt.NoFocus
                enabled: item.isStored
                // The item around shows the tool tip.
                ToolTip.visible: false
                onClicked: item.startRequested()
            }
        }
        IconButton {
            objectName: "pauseButton"
            FocusFrame {
                anchors.fill: parent
                visible: parent.visualFocus && item.highlighted
            }
            text: qsTr("Pause")
            icon.name: "media-playback-pause-symbolic"
            focusPolicy: item.buttonsTakeFocus || activeFocus ? Qt.TabFocus : Qt.NoFocus
            visible: item.isStarted
            onClicked: item.pauseRequested()
        }
        IconButton {
            objectName: "stopButton"
            FocusFrame {
                anchors.fill: parent
                visible: parent.visualFocus && item.highlighted
            }
            text: qsTr("Stop")
            icon.name: "media-playback-stop-symbolic"
            focusPolicy: item.buttonsTakeFocus || activeFocus ? Qt.TabFocus : Qt.NoFocus
            visible: item.isStarted || item.isPaused
            onClicked: item.stopRequested()
        }
    }
}
