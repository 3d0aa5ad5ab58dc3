// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler.widgets 1.0

// Editor of a daily time window and the period of the action inside it.
ColumnLayout {
    id: main

    readonly property real rangeStart: startTime.value
    readonly property real rangeEnd: endTime.value
    readonly property real regularity: regularityBox.currentIndex >= 0 ? regularities.get(regularityBox.currentIndex).value : 0
    property real savedStart: 0
    property real savedEnd: 0
    property real savedRegularity: 0
    readonly property bool hasChanges: rangeStart !== savedStart || rangeEnd !== savedEnd || regularity !== savedRegularity
    readonly property string title: startTime.textFromValue(startTime.value, startTime.locale) + " - "
                                    + endTime.textFromValue(endTime.value, endTime.locale)

    function reset(start, end, period) {
        startTime.value = Math.floor(Number(start) || 0)
        endTime.value = Math.floor(Number(end) || 0)
        var index = 0
        for (var i = 0; i < regularities.count; ++i) {
            if (regularities.get(i).value === Number(period)) {
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

    spacing: applicationWindow().spacing

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
    }

    GridLayout {
        columns: 2
        columnSpacing: main.spacing
        rowSpacing: main.spacing

        Kirigami.Heading {
            text: qsTr("Start:")
            level: 3
        }
        TimeEdit {
            id: startTime
            objectName: "rangeStart"
        }
        Kirigami.Heading {
            text: qsTr("End:")
            level: 3
        }
        TimeEdit {
            id: endTime
            objectName: "rangeEnd"
        }
        Kirigami.Heading {
            text: qsTr("Regularity:")
            level: 3
        }
        ComboBox {
            id: regularityBox
            objectName: "regularity"
            Layout.preferredWidth: 170
            model: regularities
            textRole: "text"
        }
    }
}
