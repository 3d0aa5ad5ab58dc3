// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// Editor of a countdown: hours and minutes.
GridLayout {
    id: main

    // Width of the label column, shared by the whole editor.
    property real labelWidth: 0
    readonly property real labelsWidth: runLabel.implicitWidth

    readonly property real fieldsTime: hours.value * 3600000 + minutes.value * 60000
    property real savedTime: 0
    property real savedFieldsTime: 0
    // A duration the fields cannot show (seconds, or a day and more, set by
    // another client of the service) is kept as it is until the fields are
    // changed, so that applying other edits does not cut it.
    readonly property real time: fieldsTime === savedFieldsTime ? savedTime : fieldsTime
    readonly property bool hasChanges: fieldsTime !== savedFieldsTime
    // Why the edited preset could never act when its timing is at fault
    // (PresetForm.neverActs), shown under the fields; empty otherwise.
    property string problem: ""

    function reset(duration) {
        var total = Math.floor(Number(duration) || 0)
        var allMinutes = Math.floor(total / 60000)
        hours.value = Math.floor(allMinutes / 60)
        minutes.value = allMinutes % 60
        savedTime = total
        savedFieldsTime = fieldsTime
    }

    columns: 2
    columnSpacing: applicationWindow().spacing
    rowSpacing: applicationWindow().spacing

    Label {
        id: runLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("Run In:")
    }
    FieldSentence {
        pattern: qsTr("%1 h %2 min", "length of a countdown: %1 and %2 are number fields")
        fields: [hours, minutes]

        SpinBox {
            id: hours
            objectName: "timerHours"
            from: 0
            to: 23
            Accessible.name: qsTr("Hours of the countdown")
        }
        SpinBox {
            id: minutes
            objectName: "timerMinutes"
            from: 0
            to: 59
            wrap: true
            Accessible.name: qsTr("Minutes of the countdown")
        }
    }

    // The length kept, when the fields cannot show it.
    Label {
        objectName: "timerExact"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        visible: main.time !== main.fieldsTime
        opacity: 0.7
        text: qsTr("Set to %1", "a countdown length the fields cannot show, kept until they change").arg(PresetSummary.duration(main.time))
    }

    FieldProblem {
        id: timerProblem
        objectName: "timerProblem"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        Layout.fillWidth: true
        text: main.problem
    }
}
