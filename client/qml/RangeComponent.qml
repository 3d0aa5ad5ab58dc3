// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0
import zel.scheduler.widgets 1.0

// Editor of a daily time window and the period of the action inside it. A
// window that ends before it starts runs past midnight (23:00 to 01:00),
// and an end of 00:00 is midnight.
GridLayout {
    id: main

    // Width of the label column, shared by the whole editor.
    property real labelWidth: 0
    readonly property real labelsWidth: Math.max(startLabel.implicitWidth, endLabel.implicitWidth, regularityLabel.implicitWidth)

    readonly property real rangeStart: startTime.value
    readonly property real rangeEnd: endTime.value
    readonly property int otherIndex: regularities.count - 1
    // A period of the list, or any whole number of minutes ("Other").
    readonly property real regularity: regularityBox.currentIndex === otherIndex ? minutes.value * 60000
                                                                                : regularityBox.currentIndex >= 0 ? regularities.get(regularityBox.currentIndex).value : 0
    property real savedStart: 0
    property real savedEnd: 0
    property real savedRegularity: 0
    readonly property bool hasChanges: rangeStart !== savedStart || rangeEnd !== savedEnd || regularity !== savedRegularity
    // Why the edited preset could never act when its timing is at fault
    // (PresetForm.neverActs), shown under the fields; empty otherwise.
    property string problem: ""

    function reset(start, end, period) {
        startTime.value = Math.floor(Number(start) || 0)
        endTime.value = Math.floor(Number(end) || 0)
        // A period of whole minutes outside the list is "Other"; one the
        // fields cannot show (seconds) shows the first entry.
        period = Number(period) || 0
        var index = period > 0 && period % 60000 === 0 && period <= minutes.to * 60000 ? otherIndex : 0
        minutes.value = index === otherIndex ? period / 60000 : 1
        for (var i = 0; i < otherIndex; ++i) {
            if (regularities.get(i).value === period) {
                index = i
                break
            }
        }
        regularityBox.currentIndex = index
        // What the fields hold after the reset is what counts as unchanged,
        // so that values the fields cannot show do not look like edits.
        savedStart = rangeStart
        savedEnd = rangeEnd
        savedRegularity = regularity
    }

    columns: 2
    columnSpacing: applicationWindow().spacing
    rowSpacing: applicationWindow().spacing

    ListModel {
        id: regularities
        ListElement {
            text: qsTr("Every Minute")
            value: 60000
        }
        ListElement {
            text: qsTr("Every 5 Minutes")
            value: 300000
        }
        ListElement {
            text: qsTr("Every 10 Minutes")
            value: 600000
        }
        ListElement {
            text: qsTr("Other")
            value: -1
        }
    }

    Label {
        id: startLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("Start:")
    }
    TimeEdit {
        id: startTime
        objectName: "rangeStart"
        Accessible.name: qsTr("Start of the window")
    }
    Label {
        id: endLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("End:")
    }
    TimeEdit {
        id: endTime
        objectName: "rangeEnd"
        Accessible.name: qsTr("End of the window")
    }
    FieldProblem {
        id: rangeProblem
        objectName: "rangeProblem"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        Layout.fillWidth: true
        text: main.problem
    }
    Label {
        id: regularityLabel
        Layout.preferredWidth: main.labelWidth
        horizontalAlignment: Text.AlignRight
        text: qsTr("Regularity:")
    }
    RowLayout {
        spacing: main.columnSpacing
        Chooser {
            id: regularityBox
            objectName: "regularity"
            model: regularities
            label: qsTr("Regularity")
        }
        FieldSentence {
            visible: regularityBox.currentIndex === main.otherIndex
            pattern: qsTr("every %1 min", "the period of a daily window: %1 is a number field")
            fields: [minutes]

            SpinBox {
                id: minutes
                objectName: "regularityMinutes"
                from: 1
                to: 1440
                editable: true
                Accessible.name: qsTr("Minutes between the actions")
            }
        }
    }

    Label {
        objectName: "windowSummary"
        // Under the field.
        Layout.columnSpan: 2
        Layout.leftMargin: main.labelWidth + main.columnSpacing
        Layout.fillWidth: true
        Layout.preferredWidth: Kirigami.Units.gridUnit * 16
        wrapMode: Text.Wrap
        // Fixed: the style's choice by line count loops with the wrapping.
        verticalAlignment: Text.AlignTop
        opacity: 0.7
        text: main.problem === "" ? PresetSummary.window(main.rangeStart, main.rangeEnd, main.regularity) : ""
        visible: text !== ""
    }
}
