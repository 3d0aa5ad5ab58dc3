// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0
import zel.scheduler.widgets 1.0

// The right panel: the editor of the presets model's current preset.
ColumnLayout {
    id: main

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    readonly property var presetsModel: hasBackend ? backend.presetsModel : null

    // The current preset as last loaded.
    property var current: ({})

    readonly property int checkedType: timerChoice.checked ? PresetType.Timer : scheduleChoice.checked ? PresetType.Scheduled
                                                                                                      : rangeChoice.checked ? PresetType.Range : -1
    readonly property int savedActionIndex: actionBox.count >= 0 ? actionBox.indexOfValue(current.action_type) : -1
    readonly property int savedType: current.preset_type === undefined ? -1 : current.preset_type

    readonly property string title: actionBox.currentText + " " + content.title
    readonly property bool hasChanges: current.preset_name !== undefined
                                       && (actionBox.currentIndex !== savedActionIndex || checkedType !== savedType || content.hasChanges)

    // Reloads the form from the current preset, dropping any edits.
    function clear() {
        var preset = presetsModel ? presetsModel.currentItem : {}
        if (preset === undefined || preset === null) {
            preset = {}
        }
        current = preset
        content.reset(preset)
        timerChoice.checked = preset.preset_type === PresetType.Timer
        scheduleChoice.checked = preset.preset_type === PresetType.Scheduled
        rangeChoice.checked = preset.preset_type === PresetType.Range
        actionBox.currentIndex = preset.action_type === undefined ? -1 : actionBox.indexOfValue(preset.action_type)
    }

    // The current preset with the edits applied, as it is sent for saving.
    function editedPreset() {
        var preset = presetsModel ? presetsModel.currentItem : {}
        if (preset === undefined || preset === null) {
            preset = {}
        }
        preset.preset_name = title
        if (actionBox.currentIndex >= 0) {
            preset.action_type = actionBox.currentValue
        }
        if (checkedType >= 0) {
            preset.preset_type = checkedType
        }
        switch (checkedType) {
        case PresetType.Timer:
            preset.timer = {
                "timeout": content.timer.time,
                "notify": content.notify
            }
            break
        case PresetType.Scheduled:
            preset.schedule = {
                "start": content.scheduler.start,
                "end": content.scheduler.end,
                "repeat_settings": content.scheduler.repeatSettings,
                "notify": content.notify
            }
            break
        case PresetType.Range:
            preset.interval = {
                "start": content.range.rangeStart,
                "end": content.range.rangeEnd,
                "regularity": content.range.regularity
            }
            break
        }
        return preset
    }

    // Sends the edited preset to be stored. Without a current preset there
    // is nothing to apply to.
    function admit() {
        if (!presetsModel || presetsModel.currentIndex < 0) {
            return
        }
        presetsModel.savePreset(editedPreset())
    }

    spacing: applicationWindow().spacing

    Connections {
        target: main.presetsModel
        function onCurrentItemChanged() {
            main.clear()
        }
    }

    Component.onCompleted: clear()

    RowLayout {
        spacing: main.spacing

        Kirigami.Heading {
            text: qsTr("Action")
            level: 4
            type: Kirigami.Heading.Type.Primary
        }
        IconComboBox {
            id: actionBox
            objectName: "actionChooser"
            Layout.preferredWidth: 170
            model: main.hasBackend ? backend.actionModel : null
        }
    }

    RowLayout {
        spacing: main.spacing

        ButtonGroup {
            id: kinds
        }
        RadioButton {
            id: timerChoice
            objectName: "timerChoice"
            text: qsTr("Timer")
            ButtonGroup.group: kinds
        }
        RadioButton {
            id: scheduleChoice
            objectName: "scheduleChoice"
            text: qsTr("Schedule")
            ButtonGroup.group: kinds
        }
        RadioButton {
            id: rangeChoice
            objectName: "rangeChoice"
            text: qsTr("Interval")
            ButtonGroup.group: kinds
        }
    }

    SettingsContent {
        id: content
        objectName: "settingsContent"
        Layout.fillWidth: true
        Layout.fillHeight: true
        presetType: main.checkedType
    }

    RowLayout {
        DialogButtonBox {
            id: resetBox
            objectName: "resetBox"
            padding: 0
            standardButtons: DialogButtonBox.Reset
            onReset: main.clear()
            Component.onCompleted: standardButton(DialogButtonBox.Reset).enabled = Qt.binding(function () {
                return main.hasChanges
            })
        }
        Item {
            Layout.fillWidth: true
        }
        DialogButtonBox {
            id: applyBox
            objectName: "applyBox"
            padding: 0
            standardButtons: DialogButtonBox.Apply
            onApplied: main.admit()
            Component.onCompleted: standardButton(DialogButtonBox.Apply).enabled = Qt.binding(function () {
                return main.hasChanges
            })
        }
    }
}
