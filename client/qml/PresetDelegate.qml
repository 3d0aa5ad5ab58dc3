// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami

// One row of the preset list: the action's icon, the preset's name and the
// run buttons that fit its run state, all centred on the row. A long name is
// cut short before the buttons.
Kirigami.AbstractListItem {
    id: item
    objectName: "presetRow"

    readonly property string label: model.name
    readonly property bool isStarted: model.isStarted
    readonly property bool isPaused: model.isPaused
    readonly property bool isStored: model.isStored

    signal startRequested
    signal pauseRequested
    signal stopRequested

    highlighted: model.selected

    contentItem: RowLayout {
        spacing: Kirigami.Units.smallSpacing

        Kirigami.Icon {
            Layout.preferredWidth: Kirigami.Units.iconSizes.small
            Layout.preferredHeight: Kirigami.Units.iconSizes.small
            source: model.actionIconName
            selected: item.highlighted || item.pressed
        }
        Label {
            objectName: "presetName"
            Layout.fillWidth: true
            text: item.label
            elide: Text.ElideRight
            color: item.highlighted || item.pressed ? Kirigami.Theme.highlightedTextColor : Kirigami.Theme.textColor
        }
        // A disabled button takes no hover, so the hint why it is disabled
        // hangs on this item around it.
        Item {
            implicitWidth: startButton.implicitWidth
            implicitHeight: startButton.implicitHeight
            visible: !item.isStarted || item.isPaused
            ToolTip.text: item.isStored ? startButton.text : qsTr("Apply the preset to be able to start it.")
            ToolTip.visible: startHover.hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay

            HoverHandler {
                id: startHover
            }
            ToolButton {
                id: startButton
                objectName: "startButton"
                anchors.fill: parent
                text: qsTr("Start")
                display: AbstractButton.IconOnly
                icon.name: "media-playback-start-symbolic"
                icon.width: Kirigami.Units.iconSizes.small
                icon.height: Kirigami.Units.iconSizes.small
                enabled: item.isStored
                onClicked: item.startRequested()
            }
        }
        ToolButton {
            objectName: "pauseButton"
            text: qsTr("Pause")
            display: AbstractButton.IconOnly
            icon.name: "media-playback-pause-symbolic"
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            visible: item.isStarted
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
            onClicked: item.pauseRequested()
        }
        ToolButton {
            objectName: "stopButton"
            text: qsTr("Stop")
            display: AbstractButton.IconOnly
            icon.name: "media-playback-stop-symbolic"
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            visible: item.isStarted || item.isPaused
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
            onClicked: item.stopRequested()
        }
    }
}
