// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// A repetition of the user's own: every n days, every n weeks on chosen
// weekdays, or every n months on chosen days of the month. The caller opens
// it.
Kirigami.Dialog {
    id: dialog
    objectName: "repeatDialog"

    // The rule to start from: RepeatCustomType, step and chosen numbers.
    property int type: RepeatCustomType.Days
    property int count: 1
    property var selected: []

    readonly property int checkedType: weeksChoice.checked ? RepeatCustomType.Weeks : monthsChoice.checked ? RepeatCustomType.Monthes : RepeatCustomType.Days

    signal activated(int type, int count, var selected)

    // 1-based numbers of the buttons that are on, ascending.
    function chosenNumbers(repeater) {
        var numbers = []
        for (var i = 0; i < repeater.count; ++i) {
            if (repeater.itemAt(i).checked) {
                numbers.push(i + 1)
            }
        }
        return numbers
    }

    title: qsTr("Repeat")
    standardButtons: Dialog.Ok | Dialog.Cancel
    // Centred by its own size: Kirigami's default follows the height the
    // popup shrinks to near the window's bottom, a binding loop.
    y: parent ? Math.max(0, Math.round((parent.height - implicitHeight) / 2)) : 0
    // Each use makes a new dialog; it goes once it is closed.
    onClosed: destroy()
    padding: Kirigami.Units.largeSpacing

    onAccepted: {
        switch (checkedType) {
        case RepeatCustomType.Weeks:
            dialog.activated(checkedType, weeksCount.value, chosenNumbers(weekdays))
            break
        case RepeatCustomType.Monthes:
            dialog.activated(checkedType, monthsCount.value, chosenNumbers(monthDays))
            break
        default:
            dialog.activated(checkedType, daysCount.value, [])
            break
        }
    }

    Component.onCompleted: {
        var numbers = selected || []
        switch (type) {
        case RepeatCustomType.Weeks:
            weeksChoice.checked = true
            weeksCount.value = count
            break
        case RepeatCustomType.Monthes:
            monthsChoice.checked = true
            monthsCount.value = count
            break
        default:
            daysChoice.checked = true
            daysCount.value = count
            break
        }
        var buttons = type === RepeatCustomType.Weeks ? weekdays : type === RepeatCustomType.Monthes ? monthDays : null
        if (buttons) {
            for (var i = 0; i < numbers.length; ++i) {
                var button = buttons.itemAt(numbers[i] - 1)
                if (button) {
                    button.checked = true
                }
            }
        }
    }

    ButtonGroup {
        id: choices
    }

    GridLayout {
        columns: 2
        columnSpacing: applicationWindow().spacing
        rowSpacing: Kirigami.Units.smallSpacing

        RadioButton {
            id: daysChoice
            objectName: "daysChoice"
            text: qsTr("Every", "Days")
            ButtonGroup.group: choices
        }
        RowLayout {
            SpinBox {
                id: daysCount
                objectName: "daysCount"
                Layout.preferredWidth: 70
                from: 1
                to: 365
            }
            Label {
                text: qsTr("Day")
            }
        }

        RadioButton {
            id: weeksChoice
            objectName: "weeksChoice"
            text: qsTr("Every", "Weeks")
            ButtonGroup.group: choices
        }
        RowLayout {
            SpinBox {
                id: weeksCount
                objectName: "weeksCount"
                from: 1
                to: 52
            }
            Label {
                text: qsTr("Week:")
            }
            Row {
                Repeater {
                    id: weekdays
                    model: [qsTr("Mon"), qsTr("Tue"), qsTr("Wed"), qsTr("Thu"), qsTr("Fri"), qsTr("Sat"), qsTr("Sun")]
                    Button {
                        objectName: "weekday" + (index + 1)
                        width: 34
                        height: 32
                        checkable: true
                        flat: !checked
                        enabled: weeksChoice.checked
                        text: modelData
                    }
                }
            }
        }

        RadioButton {
            id: monthsChoice
            objectName: "monthsChoice"
            Layout.alignment: Qt.AlignTop
            text: qsTr("Every", "Monthes")
            ButtonGroup.group: choices
        }
        RowLayout {
            SpinBox {
                id: monthsCount
                objectName: "monthsCount"
                Layout.alignment: Qt.AlignTop
                from: 1
                to: 12
            }
            Label {
                Layout.alignment: Qt.AlignTop
                Layout.topMargin: Kirigami.Units.smallSpacing
                text: qsTr("Month:")
            }
            Grid {
                columns: 7
                Repeater {
                    id: monthDays
                    model: 31
                    Button {
                        id: dayButton
                        objectName: "monthDay" + (index + 1)
                        width: 34
                        height: 32
                        checkable: true
                        flat: !checked
                        enabled: monthsChoice.checked
                        text: index + 1
                        // Not every month has the days from the 29th on.
                        ToolTip.text: qsTr("In a month without day %1, the preset acts on the month's last day.").arg(index + 1)
                        ToolTip.visible: index >= 28 && hovered
                        ToolTip.delay: Kirigami.Units.toolTipDelay
                        contentItem: Label {
                            text: dayButton.text
                            font: dayButton.font
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            color: index >= 28 ? Kirigami.Theme.negativeTextColor : Kirigami.Theme.textColor
                        }
                    }
                }
            }
        }
    }
}
