// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// The left panel: the list of presets and the tool row under it.
ColumnLayout {
    id: main

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    readonly property var presetsModel: hasBackend ? backend.presetsModel : null
    readonly property int currentRow: presetsModel ? presetsModel.currentIndex : -1
    readonly property int rowCount: list.count

    // Mirrors the editor's unsaved changes.
    property bool hasChanges: false

    signal needAdmit
    signal needClear

    // Runs proceed, asking first what to do with unsaved edits of the
    // current preset.
    function guard(proceed) {
        if (!presetsModel) {
            return
        }
        if (hasChanges) {
            applicationWindow().showMessage(function () {
                main.needAdmit()
                proceed()
            }, function () {
                main.needClear()
                proceed()
            }, function () {})
        } else {
            proceed()
        }
    }

    // Makes row k current.
    function changeRow(k) {
        guard(function () {
            main.presetsModel.select(k)
        })
    }

    // Adds a draft preset and makes it current.
    function addPreset() {
        guard(function () {
            main.presetsModel.createDefault({
                "preset_name": qsTranslate("Action", "Shut Down")
            })
        })
    }

    // Starts the preset of a row. The edits of the current preset go first
    // (or are dropped), so that what runs is what the editor shows.
    function startRow(row, id) {
        if (row === currentRow) {
            guard(function () {
                main.presetsModel.start(id)
            })
        } else {
            presetsModel.start(id)
        }
    }

    spacing: applicationWindow().spacing

    Kirigami.Heading {
        text: qsTr("Manage events")
        level: 4
        type: Kirigami.Heading.Type.Primary
    }

    ScrollView {
        Layout.fillWidth: true
        Layout.fillHeight: true

        ListView {
            id: list
            objectName: "presetList"
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: main.presetsModel
            currentIndex: -1
            Component.onCompleted: currentIndex = main.currentRow

            Connections {
                target: main.presetsModel
                function onCurrentIndexChanged() {
                    list.currentIndex = main.presetsModel.currentIndex
                }
            }

            delegate: PresetDelegate {
                width: ListView.view.width
                onClicked: {
                    if (index !== main.currentRow) {
                        main.changeRow(index)
                    }
                }
                onStartRequested: main.startRow(index, model.id)
                onPauseRequested: main.presetsModel.pause(model.id)
                onStopRequested: main.presetsModel.stop(model.id)
            }

            Kirigami.PlaceholderMessage {
                objectName: "emptyPlaceholder"
                // Over the view, not inside its scrolling content.
                parent: list
                anchors.centerIn: parent
                // Never narrower than a few words: at no width at all, as
                // when the list is first laid out, its layout loops.
                width: Math.max(Kirigami.Units.gridUnit * 8, parent.width - 2 * Kirigami.Units.largeSpacing)
                visible: list.count === 0 && main.hasBackend && backend.serviceState === Backend.Ready
                text: qsTr("No presets yet")
                explanation: qsTr("Add a preset, choose its action and when it runs, then apply it.")
                helpfulAction: addAction
            }

            add: Transition {
                NumberAnimation {
                    property: "x"
                    from: -list.width
                    to: 0
                    duration: Kirigami.Units.longDuration
                }
            }
            remove: Transition {
                NumberAnimation {
                    property: "x"
                    to: -list.width
                    duration: Kirigami.Units.longDuration
                }
            }
            removeDisplaced: Transition {
                SequentialAnimation {
                    PauseAnimation {
                        duration: Kirigami.Units.longDuration
                    }
                    NumberAnimation {
                        property: "y"
                        duration: Kirigami.Units.longDuration
                    }
                }
            }
        }
    }

    Kirigami.Action {
        id: addAction
        text: qsTr("Add Event")
        icon.name: "list-add-symbolic"
        onTriggered: main.addPreset()
    }

    Shortcut {
        sequences: [StandardKey.Delete]
        enabled: main.enabled && main.rowCount > 0 && main.currentRow >= 0
        onActivated: applicationWindow().removeConfirmation()
    }

    RowLayout {
        spacing: 0

        ToolButton {
            objectName: "addButton"
            action: addAction
            display: AbstractButton.IconOnly
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
        }
        ToolButton {
            objectName: "removeButton"
            text: qsTr("Remove Selected")
            icon.name: "list-delete-symbolic"
            display: AbstractButton.IconOnly
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            enabled: main.rowCount > 0 && main.currentRow >= 0
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
            onClicked: applicationWindow().removeConfirmation()
        }
        ToolButton {
            objectName: "upButton"
            text: qsTr("Move Up")
            icon.name: "draw-arrow-up-symbolic"
            display: AbstractButton.IconOnly
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            enabled: main.rowCount > 1 && main.currentRow > 0
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
            onClicked: main.changeRow(main.currentRow - 1)
        }
        ToolButton {
            objectName: "downButton"
            text: qsTr("Move Down")
            icon.name: "draw-arrow-down-symbolic"
            display: AbstractButton.IconOnly
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            enabled: main.rowCount > 1 && main.currentRow < main.rowCount - 1
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
            onClicked: main.changeRow(main.currentRow + 1)
        }
        ToolButton {
            objectName: "selectAllButton"
            text: qsTr("Select All")
            icon.name: "edit-select-all-symbolic"
            display: AbstractButton.IconOnly
            icon.width: Kirigami.Units.iconSizes.small
            icon.height: Kirigami.Units.iconSizes.small
            enabled: main.rowCount > 0
            ToolTip.text: text
            ToolTip.visible: hovered
            ToolTip.delay: Kirigami.Units.toolTipDelay
            onClicked: main.presetsModel.selectAll()
        }
        Item {
            Layout.fillWidth: true
        }
    }
}
