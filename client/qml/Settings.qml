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
//
// The form is loaded from the current preset, and it has unsaved changes
// while it differs from what was loaded. Reports of the current preset that
// only change its run state (running, paused, remaining time) leave the
// form alone. Other changes reload it when it has no unsaved changes; when
// it has, they are kept, and a message offers to reload instead. A report
// that holds exactly the edits (the answer to Apply) is taken as loaded.
// A preset the administrator set is shown read-only, saying what the user
// may still do with it.
ColumnLayout {
    id: main

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    readonly property var presetsModel: hasBackend ? backend.presetsModel : null

    // The current preset as last loaded.
    property var current: ({})
    // Set by the administrator: shown, not edited.
    readonly property bool isManaged: current.preset_managed === true
    // The current preset was changed elsewhere while the form had edits.
    property bool changedElsewhere: false

    readonly property int checkedType: timerChoice.checked ? PresetType.Timer : scheduleChoice.checked ? PresetType.Scheduled
                                                                                                      : rangeChoice.checked ? PresetType.Range : -1
    readonly property int savedActionIndex: actionBox.count >= 0 ? actionBox.indexOfValue(current.action_type) : -1
    readonly property int savedType: current.preset_type === undefined ? -1 : current.preset_type

    // The current preset with the edits applied (editedPreset()).
    readonly property var edited: editedPreset()
    readonly property string title: checkedType >= 0 ? PresetForm.defaultName(edited) : ""
    readonly property bool hasChanges: current.preset_name !== undefined
                                       && (actionBox.currentIndex !== savedActionIndex || checkedType !== savedType || content.hasChanges)
    // Why the settings as edited could never act; Apply is refused then.
    readonly property var neverActs: checkedType >= 0 ? PresetForm.neverActs(edited) : {"reason": "", "byWarning": false}
    readonly property bool isValid: neverActs.reason === ""

    // Reloads the form from the current preset, dropping any edits.
    function clear() {
        var preset = presetsModel ? presetsModel.currentItem : {}
        if (preset === undefined || preset === null) {
            preset = {}
        }
        current = preset
        changedElsewhere = false
        content.reset(preset)
        timerChoice.checked = preset.preset_type === PresetType.Timer
        scheduleChoice.checked = preset.preset_type === PresetType.Scheduled
        rangeChoice.checked = preset.preset_type === PresetType.Range
        actionBox.currentIndex = preset.action_type === undefined ? -1 : actionBox.indexOfValue(preset.action_type)
    }

    // The current preset with the edits applied, as it is sent for saving.
    // A name the user gave stays; one made up is made up anew. Read afresh
    // by whoever handles a new current item, which the binding of edited
    // may not have seen yet.
    function editedPreset() {
        var preset = presetsModel ? presetsModel.currentItem : {}
        var customName = presetsModel !== null && presetsModel.isCustomName(preset.preset_name || "")
        var action = actionBox.currentIndex >= 0 ? actionBox.currentValue : -1
        switch (checkedType) {
        case PresetType.Timer:
            return PresetForm.countdown(preset, action, content.timer.time, content.notify, customName)
        case PresetType.Scheduled:
            var repeat = content.scheduler.repeat
            return PresetForm.schedule(preset, action, content.scheduler.start, content.scheduler.end, content.notify, repeat.type,
                                       repeat.customType, repeat.count, repeat.selected, customName)
        case PresetType.Range:
            return PresetForm.window(preset, action, content.range.rangeStart, content.range.rangeEnd, content.range.regularity, customName)
        }
        return preset
    }

    // Sends the edited preset to be stored. Without a current preset there
    // is nothing to apply to, and settings that could never act are not
    // sent: asked again, as a schedule's last occurrence may have passed
    // since the last edit.
    function admit() {
        var preset = editedPreset()
        if (!presetsModel || presetsModel.currentIndex < 0 || (checkedType >= 0 && PresetForm.neverActs(preset).reason !== "")) {
            return
        }
        presetsModel.savePreset(preset)
    }

    // Takes a new current item: another preset, or a report of this one.
    function takeCurrentItem() {
        var preset = presetsModel ? presetsModel.currentItem : {}
        if (!preset || preset.preset_id === undefined || preset.preset_id !== current.preset_id) {
            clear()
        } else if (presetsModel.sameSettings(preset, current)) {
            // Only its run state changed; the list shows that.
        } else if (!hasChanges || presetsModel.sameSettings(preset, editedPreset())) {
            clear()
        } else {
            changedElsewhere = true
        }
    }

    // A new preset is edited from its first field on.
    function focusFirstField() {
        actionBox.forceActiveFocus(Qt.OtherFocusReason)
    }

    spacing: applicationWindow().spacing

    Connections {
        target: main.presetsModel
        function onCurrentItemChanged() {
            main.takeCurrentItem()
        }
    }

    Component.onCompleted: clear()

    // Whether the administrator lets the user stop or pause it, the service
    // does not tell: the user learns it by trying.
    StatusMessage {
        objectName: "managedMessage"
        Layout.fillWidth: true
        type: Kirigami.MessageType.Information
        icon.source: "object-locked"
        visible: main.isManaged
        message: qsTr("Set by your administrator. You can start it, and stop or pause it if your administrator allows; you cannot change or remove it.")
    }

    StatusMessage {
        objectName: "changedElsewhereMessage"
        Layout.fillWidth: true
        type: Kirigami.MessageType.Warning
        visible: main.changedElsewhere
        message: qsTr("This preset was changed elsewhere. Your edits are kept and would replace those changes when applied.")
        actions: [
            Kirigami.Action {
                text: qsTr("Reload")
                icon.name: "view-refresh"
                onTriggered: main.clear()
            }
        ]
    }

    GridLayout {
        enabled: !main.isManaged
        columns: 2
        columnSpacing: main.spacing
        rowSpacing: main.spacing

        Label {
            id: actionLabel
            Layout.preferredWidth: content.labelWidth
            horizontalAlignment: Text.AlignRight
            text: qsTr("Action:")
        }
        IconComboBox {
            id: actionBox
            objectName: "actionChooser"
            model: main.hasBackend ? backend.actionModel : null
            label: qsTr("Action")
            // Some actions suit one kind of preset only (Turn On: schedules).
            Binding {
                target: main.hasBackend ? backend.actionModel : null
                property: "kind"
                value: main.checkedType
            }
            ToolTip.text: actionProblem.text
            ToolTip.visible: hovered && actionProblem.text !== ""
            ToolTip.delay: Kirigami.Units.toolTipDelay
        }

        // A stored preset keeps an action this desktop cannot carry out
        // (the desktop may change, or the preset came from elsewhere); the
        // editor says so rather than choosing another.
        FieldProblem {
            id: actionProblem
            objectName: "actionProblem"
            Layout.columnSpan: 2
            Layout.leftMargin: content.labelWidth + main.spacing
            text: main.hasBackend && actionBox.currentIndex >= 0 ? (backend.actionModel.problems[actionBox.currentValue] || "") : ""
        }

        RowLayout {
            Layout.columnSpan: 2
            Layout.leftMargin: content.labelWidth + main.spacing
            spacing: main.spacing

            ButtonGroup {
                id: kinds
            }
            RadioChoice {
                id: timerChoice
                objectName: "timerChoice"
                text: qsTr("Timer")
                ButtonGroup.group: kinds
            }
            RadioChoice {
                id: scheduleChoice
                objectName: "scheduleChoice"
                text: qsTr("Schedule")
                ButtonGroup.group: kinds
            }
            RadioChoice {
                id: rangeChoice
                objectName: "rangeChoice"
                text: qsTr("Interval")
                ButtonGroup.group: kinds
            }
        }
    }

    SettingsContent {
        id: content
        objectName: "settingsContent"
        Layout.fillWidth: true
        Layout.fillHeight: true
        presetType: main.checkedType
        problem: main.neverActs.reason
        problemByWarning: main.neverActs.byWarning
        labelWidth: Math.max(labelsWidth, actionLabel.implicitWidth)
        enabled: !main.isManaged
    }

    RowLayout {
        visible: !main.isManaged
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
                return main.hasChanges && main.isValid
            })
        }
    }
}
