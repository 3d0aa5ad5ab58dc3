// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami

// One row of the preset list: the action's icon, the preset's name and the
// run buttons that fit its run state.
Kirigami.BasicListItem {
    id: item
    objectName: "presetRow"

    readonly property bool isStarted: model.isStarted
    readonly property bool isPaused: model.isPaused

    signal startRequested
    signal pauseRequested
    signal stopRequested

    label: model.name
    icon: model.actionIconName
    iconSize: Kirigami.Units.iconSizes.small
    highlighted: model.selected
    trailingFillVertically: false

    trailing: RowLayout {
        spacing: 0

        ToolButton {
            objectName: "startButton"
            implicitWidth: 28
            implicitHeight: 28
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            visible: !item.isStarted || item.isPaused
            icon.name: "media-playback-start-symbolic"
            onClicked: item.startRequested()
        }
        ToolButton {
            objectName: "pauseButton"
            implicitWidth: 28
            implicitHeight: 28
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            visible: item.isStarted
            icon.name: "media-playback-pause-symbolic"
            onClicked: item.pauseRequested()
        }
        ToolButton {
            objectName: "stopButton"
            implicitWidth: 28
            implicitHeight: 28
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            visible: item.isStarted || item.isPaused
            icon.name: "media-playback-stop-symbolic"
            onClicked: item.stopRequested()
        }
    }
}
