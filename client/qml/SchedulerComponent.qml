// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0
import zel.scheduler.widgets 1.0

// Editor of a calendar schedule: start, end and the repetition rule.
GridLayout {
    id: main

    // Width of the label column, shared by the whole editor.
    property real labelWidth: 0
    readonly property real labelsWidth: Math.max(startLabel.implicitWidth, endLabel.implicitWidth, repeatLabel.implicitWidth)

    // The day and the time of day as the clock on the wall reads them.
    readonly property real start: LocalTime.compose(startDate.selectedDate.getFullYear(), startDate.selectedDate.getMonth() + 1,
                                                    startDate.selectedDate.getDate(), startTime.value)
    // A schedule without an end ends with the last moment the rules handle.
    readonly property real end: noEnd.checked ? PresetForm.noEnd
                                              : LocalTime.compose(endDate.selectedDate.getFullYear(), endDate.selectedDate.getMonth() + 1,
                                                                  endDate.selectedDate.getDate(), endTime.value)
    // The start last seen: an end equal to it moves with the start.
    property real followedStart: 0
    // Why the edited preset could never act when its timing is at fault
    // (PresetForm.neverActs), shown under the fields; empty otherwise.
    property string problem: ""
    property real savedStart: 0
    property real savedEnd: 0

    // The repetition being edited and the one last loaded, each with the
    // four fields of the "repeat_settings" object.
    property var repeat: defaultRepeat()
    property var savedRepeat: defaultRepeat()

    readonly property var repeatSettings: ({
            "repeat_settings_type": repeat.type,
            "repeat_settings_custom_type": repeat.customType,
            "repeat_settings_count": repeat.count,
            "repeat_settings_selected": repeat.selected
        })

    // The selection is compared as one value: a list handed back by the
    // repeat dialog is a new value even when it holds the same numbers.
    readonly property bool hasChanges: start !== savedStart || end !== savedEnd || repeat.type !== savedRepeat.type
                                       || repeat.customType !== savedRepeat.customType || repeat.count !== savedRepeat.count
                                       || repeat.selected !== savedRepeat.selected

    function defaultRepeat() {
        return {
            "type": RepeatType.Custom,
            "customType": RepeatCustomType.Days,
            "count": 1,
            "selected": []
        }
    }

    function readRepeat(settings) {
        settings = settings || {}
        var selected = settings.repeat_settings_selected
        return {
            "type": Number(settings.repeat_settings_type) || 0,
            "customType": Number(settings.repeat_settings_custom_type) || 0,
            "count": Number(settings.repeat_settings_count) || 0,
            "selected": Array.isArray(selected) ? selected : []
        }
    }

    function resetRepeat(settings) {
        repeat = settings
        savedRepeat = settings
        var index = 0
        for (var i = 0; i < repetitions.count; ++i) {
            if (repetitions.get(i).value === settings.type) {
                index = i
                break
            }
        }
        repeatBox.currentIndex = index
    }

    function setEnd(timestamp) {
        endDate.setDate(timestamp)
        endTime.setTimeFromDate(timestamp)
    }

    // A new schedule starts at the current whole minute, as shown, once,
    // and ends then: its End follows its Start until the user sets it.
    function reset(startTimestamp, endTimestamp, repeatSettings) {
        var now = Math.floor(Date.now() / 60000) * 60000
        var first = Number(startTimestamp) || now
        var last = Number(endTimestamp) || first
        startDate.setDate(first)
        startTime.setTimeFromDate(first)
        noEnd.checked = last >= PresetForm.noEnd
        setEnd(noEnd.checked ? first : last)
        followedStart = start
        savedStart = start
        savedEnd = end
        var rule = readRepeat(repeatSettings)
        if (!Number(startTimestamp) && !rule.type) {
            rule.type = RepeatType.Never
        }
        resetRepeat(rule)
    }

    // A repetition chosen while the end is still the default one sets the
    // default of its kind: no end for a repeating schedule, the start for
    // one that runs once.
    function takeRepeat(changed) {
        if (noEnd.checked || end === start) {
            noEnd.checked = changed.type !== RepeatType.Never
        }
        repeat = changed
    }

    // The rule the repeat dialog starts from: the one in force, in the
    // dialog's terms.
    function customRule(rule) {
        switch (rule.type) {
        case RepeatType.EveryWeek:
            return {"customType": RepeatCustomType.Weeks, "count": 1, "selected": []}
        case RepeatType.EveryMonth:
            return {"customType": RepeatCustomType.Monthes, "count": 1, "selected": []}
        case RepeatType.EveryYear:
            return {"customType": RepeatCustomType.Monthes, "count": 12, "selected": []}
        case RepeatType.Custom:
            return rule
        }
        return {"customType": RepeatCustomType.Days, "count": 1, "selected": []}
    }

    // Shows the repetition in force in the chooser.
    function showRepeat() {
        for (var i = 0; i < repetitions.count; ++i) {
            if (repetitions.get(i).value === repeat.type) {
                repeatBox.currentIndex = i
                return
            }
        }
    }

    onStartChanged: {
        if (!noEnd.checked && end === followedStart) {
            setEnd(start)
        }
        followedStart = start
    }

    function openRepeatDialog() {
        var component = Qt.createComponent("RepeatDialog.qml")
        if (component.status !== Component.Ready) {
            console.warn(component.errorString())
            return null
        }
        var rule = customRule(repeat)
        var dialog = component.createObject(main, {
            "type": rule.customType,
            "count": rule.count,
            "selected": rule.selected,
            "parent": main.Overlay.overlay
        })
        dialog.activated.connect(function (customType, count, selected) {
            main.takeRepeat({
                "type": RepeatType.Custom,
                "customType": customType,
                "count": count,
                "selected": selected
            })
        })
        dialog.rejected.connect(main.showRepeat)
        dialog.open()
        return dialog
    }

    columns: 2
    columnSpacing: applicationWindow().spacing
    rowSpacing: applicationWindow().spacing

    ListModel {
        id: repetitions
        ListElement {
            text: qsTr("Never")
            value: 1 // RepeatType.Never
            separator: false
        }
        ListElement {
            text: qsTr("Every Day")
            value: 2 // RepeatType.EveryDay
            separator: false
        }
        ListElement {
            text: qsTr("Every Week")
            value: 3 // RepeatType.EveryWeek
            separator: false
        }
        ListElement {
            text: qsTr("Every Month")
            value: 4 // RepeatType.EveryMonth
            separator: false
        }
        ListElement {
            text: qsTr("Every Year")
            value: 5 // RepeatType.EveryYear
            separator: true
        }
        ListElement {
            text: qsTr("Custom")
            value: 6 // RepeatType.Custom
            separator: false
        }
    }

    Label {
        id: startLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("Start:")
    }
    RowLayout {
        spacing: main.columnSpacing
        DateEdit {
            id: startDate
            objectName: "startDate"
            accessibleName: qsTr("Start date")
        }
        TimeEdit {
            id: startTime
            objectName: "startTime"
            Accessible.name: qsTr("Start time")
        }
    }

    Label {
        id: endLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("End:")
    }
    RowLayout {
        spacing: main.columnSpacing
        DateEdit {
            id: endDate
            objectName: "endDate"
            enabled: !noEnd.checked
            accessibleName: qsTr("End date")
        }
        TimeEdit {
            id: endTime
            objectName: "endTime"
            enabled: !noEnd.checked
            Accessible.name: qsTr("End time")
        }
    }

    CheckBox {
        id: noEnd
        objectName: "noEnd"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        text: qsTr("No end")
        // The fields show the start again once an end is asked for.
        onToggled: if (!checked) main.setEnd(main.start)
    }

    FieldProblem {
        id: endProblem
        objectName: "scheduleProblem"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        Layout.fillWidth: true
        text: main.problem
    }

    Label {
        id: repeatLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("Repeat:")
    }
    Chooser {
        id: repeatBox
        objectName: "repeat"
        model: repetitions
        valueRole: "value"
        label: qsTr("Repeat")
        onActivated: function (index) {
            var value = repetitions.get(index).value
            if (value === RepeatType.Custom) {
                main.openRepeatDialog()
            } else {
                var changed = Object.assign({}, main.repeat)
                changed.type = value
                main.takeRepeat(changed)
            }
        }
    }

    Label {
        objectName: "repeatSummary"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        Layout.fillWidth: true
        Layout.preferredWidth: Kirigami.Units.gridUnit * 16
        wrapMode: Text.Wrap
        // Fixed: the style's choice by line count loops with the wrapping.
        verticalAlignment: Text.AlignTop
        opacity: 0.7
        text: PresetSummary.repetition(main.start, main.repeatSettings)
    }
}
