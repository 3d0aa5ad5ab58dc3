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
    readonly property real end: LocalTime.compose(endDate.selectedDate.getFullYear(), endDate.selectedDate.getMonth() + 1,
                                                  endDate.selectedDate.getDate(), endTime.value)
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

    function reset(startTimestamp, endTimestamp, repeatSettings) {
        // A new schedule starts at the current whole minute, as shown.
        var now = Math.floor(Date.now() / 60000) * 60000
        var first = Number(startTimestamp) || now
        var last = Number(endTimestamp) || now
        startDate.setDate(first)
        startTime.setTimeFromDate(first)
        endDate.setDate(last)
        endTime.setTimeFromDate(last)
        savedStart = start
        savedEnd = end
        resetRepeat(readRepeat(repeatSettings))
    }

    function openRepeatDialog() {
        var component = Qt.createComponent("RepeatDialog.qml")
        if (component.status !== Component.Ready) {
            console.warn(component.errorString())
            return null
        }
        var dialog = component.createObject(main, {
            "type": repeat.customType,
            "count": repeat.count,
            "selected": repeat.selected,
            "parent": main.Overlay.overlay
        })
        dialog.activated.connect(function (customType, count, selected) {
            main.repeat = {
                "type": RepeatType.Custom,
                "customType": customType,
                "count": count,
                "selected": selected
            }
        })
        dialog.rejected.connect(function () {
            main.resetRepeat(main.savedRepeat)
        })
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
            accessibleName: qsTr("End date")
        }
        TimeEdit {
            id: endTime
            objectName: "endTime"
            Accessible.name: qsTr("End time")
        }
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
                main.repeat = changed
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
