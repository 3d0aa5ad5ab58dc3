// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
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
    // A new preset was added and made current.
    signal added

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
            main.added()
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

    // Space on the list: starts the current preset, or pauses it.
    function startOrPauseCurrent() {
        var item = list.currentItem
        if (!item || currentRow < 0) {
            return
        }
        if (item.isStarted && !item.isPaused) {
            presetsModel.pause(item.presetId)
        } else if (item.isStored) {
            startRow(currentRow, item.presetId)
        }
    }

    function focusList() {
        list.forceActiveFocus(Qt.OtherFocusReason)
    }

    spacing: applicationWindow().spacing
    // Room for the tools and a few rows.
    readonly property real leastWidth: Math.max(tools.implicitWidth, Kirigami.Units.gridUnit * 18)
    readonly property real leastHeight: heading.implicitHeight + tools.implicitHeight + Kirigami.Units.gridUnit * 5 + 2 * spacing
    Layout.minimumWidth: leastWidth
    Layout.minimumHeight: leastHeight

    Kirigami.Heading {
        id: heading
        objectName: "presetsHeading"
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

            // Rows shown whose texts follow the clock.
            property int clockRows: 0

            clip: true
            boundsBehavior: Flickable.StopAtBounds
            model: main.presetsModel
            currentIndex: -1
            Component.onCompleted: currentIndex = main.currentRow
            activeFocusOnTab: true
            // The keys go through the guard of unsaved edits.
            keyNavigationEnabled: false
            Accessible.role: Accessible.List
            Accessible.name: qsTr("Presets")

            Keys.onPressed: function (event) {
                var last = main.rowCount - 1
                var target = -1
                switch (event.key) {
                case Qt.Key_Up:
                    target = Math.max(0, main.currentRow - 1)
                    break
                case Qt.Key_Down:
                    target = main.currentRow < 0 ? 0 : Math.min(last, main.currentRow + 1)
                    break
                case Qt.Key_Home:
                    target = 0
                    break
                case Qt.Key_End:
                    target = last
                    break
                case Qt.Key_Space:
                    main.startOrPauseCurrent()
                    event.accepted = true
                    return
                case Qt.Key_Delete:
                    applicationWindow().removeConfirmation()
                    event.accepted = true
                    return
                default:
                    return
                }
                event.accepted = true
                if (target >= 0 && target !== main.currentRow) {
                    main.changeRow(target)
                }
            }

            // The texts of running schedules and windows tell how long
            // until their next action: they are brought up to date as each
            // minute begins, while the window shows such rows.
            Timer {
                id: clock
                objectName: "clockTimer"

                // Until a little past the turn of the minute.
                function untilNextMinute() {
                    var now = new Date()
                    return 60000 - (now.getSeconds() * 1000 + now.getMilliseconds()) + 50
                }

                running: list.clockRows > 0 && applicationWindow().visible && applicationWindow().visibility !== Window.Minimized
                repeat: true
                onRunningChanged: if (running) interval = untilNextMinute()
                onTriggered: {
                    main.presetsModel.updateClockTexts()
                    interval = untilNextMinute()
                }
            }

            Connections {
                target: main.presetsModel
                function onCurrentIndexChanged() {
                    list.currentIndex = main.presetsModel.currentIndex
                }
            }

            delegate: PresetDelegate {
                width: ListView.view.width
                // Only the current row's buttons are on the Tab chain.
                buttonsTakeFocus: ListView.isCurrentItem
                showsFocus: ListView.isCurrentItem && list.activeFocus
                // Counted among the clock's rows; the model's word is gone
                // by the time a row is destroyed.
                property bool counted: false
                function countForClock() {
                    if (counted !== followsClock) {
                        list.clockRows += followsClock ? 1 : -1
                        counted = followsClock
                    }
                }
                onFollowsClockChanged: countForClock()
                Component.onCompleted: countForClock()
                Component.onDestruction: if (counted) list.clockRows -= 1
                onClicked: {
                    // The keys of the list act on the row clicked.
                    main.focusList()
                    if (index !== main.currentRow) {
                        main.changeRow(index)
                    }
                }
                onStartRequested: main.startRow(index, model.id)
                onStartOrPauseRequested: main.startOrPauseCurrent()
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
                text: qsTr("No events yet")
                explanation: qsTr("Add an event, choose its action and when it runs, then apply it.")
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

    RowLayout {
        id: tools
        spacing: 0

        IconButton {
            objectName: "addButton"
            action: addAction
        }
        IconButton {
            objectName: "removeButton"
            text: qsTr("Remove Selected")
            icon.name: "list-delete-symbolic"
            // The administrator's presets cannot be removed.
            enabled: main.rowCount > 0 && main.currentRow >= 0 && main.presetsModel.currentItem.preset_managed !== true
            onClicked: applicationWindow().removeConfirmation()
            onFocusLost: main.focusList()
        }
        IconButton {
            objectName: "upButton"
            text: qsTr("Move Up")
            icon.name: "draw-arrow-up-symbolic"
            enabled: main.rowCount > 1 && main.currentRow > 0
            onClicked: main.changeRow(main.currentRow - 1)
            onFocusLost: main.focusList()
        }
        IconButton {
            objectName: "downButton"
            text: qsTr("Move Down")
            icon.name: "draw-arrow-down-symbolic"
            enabled: main.rowCount > 1 && main.currentRow < main.rowCount - 1
            onClicked: main.changeRow(main.currentRow + 1)
            onFocusLost: main.focusList()
        }
        IconButton {
            objectName: "selectAllButton"
            text: qsTr("Select All")
            icon.name: "edit-select-all-symbolic"
            enabled: main.rowCount > 0
            onClicked: main.presetsModel.selectAll()
            onFocusLost: main.focusList()
        }
        Item {
            Layout.fillWidth: true
        }
    }
}
