// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler.widgets 1.0
import zel.scheduler 1.0

// A repetition of the user's own: every n days, every n weeks on chosen
// weekdays, or every n months on chosen days of the month. The caller opens
// it. The focus starts on the chosen rule; the arrow keys move between the
// rules and between the days, Space turns a day on or off, Enter is OK.
ModalDialog {
    id: dialog
    objectName: "repeatDialog"

    // The rule to start from: RepeatCustomType, step and chosen numbers.
    property int type: RepeatCustomType.Days
    property int count: 1
    property var selected: []

    readonly property int checkedType: weeksChoice.checked ? RepeatCustomType.Weeks : monthsChoice.checked ? RepeatCustomType.Monthes : RepeatCustomType.Days
    // The weekdays in the locale's order, as numbers from 1 (Monday) to 7.
    readonly property var weekdayNumbers: {
        var first = Qt.locale().firstDayOfWeek // 0 is Sunday
        var numbers = []
        for (var i = 0; i < 7; ++i) {
            numbers.push((first + i + 6) % 7 + 1)
        }
        return numbers
    }
    // Every day button is as wide as the widest of them.
    readonly property real dayButtonWidth: {
        var widest = metrics.advanceWidth("31")
        for (var day = 0; day < 7; ++day) {
            widest = Math.max(widest, metrics.advanceWidth(Qt.locale().dayName(day, Locale.ShortFormat)))
        }
        return Math.ceil(widest + 2 * Kirigami.Units.largeSpacing)
    }

    signal activated(int type, int count, var selected)

    // The numbers of the buttons that are on, ascending.
    function chosenNumbers(repeater) {
        var numbers = []
        for (var i = 0; i < repeater.count; ++i) {
            var button = repeater.itemAt(i)
            if (button.checked) {
                numbers.push(button.number)
            }
        }
        return numbers.sort(function (a, b) {
            return a - b
        })
    }

    function buttonOf(repeater, number) {
        for (var i = 0; i < repeater.count; ++i) {
            if (repeater.itemAt(i).number === number) {
                return repeater.itemAt(i)
            }
        }
        return null
    }

    // Moves the focus from one day button to another of its repeater,
    // columns buttons a row.
    function moveFocus(repeater, index, key, columns) {
        var forward = Qt.application.layoutDirection === Qt.RightToLeft ? -1 : 1
        var step = key === Qt.Key_Right ? forward : key === Qt.Key_Left ? -forward : key === Qt.Key_Down ? columns : key === Qt.Key_Up ? -columns : 0
        var target = repeater.itemAt(index + step)
        if (step === 0 || !target) {
            return false
        }
        target.forceActiveFocus(Qt.TabFocusReason)
        return true
    }

    title: qsTr("Repeat")
    standardButtons: Dialog.Ok | Dialog.Cancel
    initialFocus: choices.checkedButton
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
                var button = buttonOf(buttons, numbers[i])
                if (button) {
                    button.checked = true
                }
            }
        }
    }

    FontMetrics {
        id: metrics
    }

    ButtonGroup {
        id: choices
    }

    ColumnLayout {
        spacing: Kirigami.Units.largeSpacing

        Keys.onReturnPressed: dialog.accept()
        Keys.onEnterPressed: dialog.accept()

        FieldSentence {
            pattern: daysCount.value === 1 ? qsTr("Every %1 day") : qsTr("Every %1 days", "%1 is a number field", daysCount.value)
            leader: daysChoice
            fields: [daysCount]

            RadioChoice {
                id: daysChoice
                objectName: "daysChoice"
                ButtonGroup.group: choices
                Accessible.name: qsTr("Every few days")
            }
            SpinBox {
                id: daysCount
                objectName: "daysCount"
                from: 1
                to: 365
                enabled: daysChoice.checked
                Accessible.name: qsTr("Number of days")
            }
        }

        ColumnLayout {
            spacing: Kirigami.Units.smallSpacing

            FieldSentence {
                pattern: weeksCount.value === 1 ? qsTr("Every %1 week, on") : qsTr("Every %1 weeks, on", "%1 is a number field", weeksCount.value)
                leader: weeksChoice
                fields: [weeksCount]

                RadioChoice {
                    id: weeksChoice
                    objectName: "weeksChoice"
                    ButtonGroup.group: choices
                    Accessible.name: qsTr("Every few weeks, on chosen weekdays")
                }
                SpinBox {
                    id: weeksCount
                    objectName: "weeksCount"
                    from: 1
                    to: 52
                    enabled: weeksChoice.checked
                    Accessible.name: qsTr("Number of weeks")
                }
            }
            Row {
                Layout.leftMargin: weeksChoice.indicator.width + weeksChoice.spacing
                Repeater {
                    id: weekdays
                    model: dialog.weekdayNumbers
                    Button {
                        readonly property int number: modelData
                        objectName: "weekday" + number
                        width: dialog.dayButtonWidth
                        checkable: true
                        flat: !checked
                        enabled: weeksChoice.checked
                        // Qt counts the weekdays from Sunday, 0 or 7.
                        text: Qt.locale().dayName(number % 7, Locale.ShortFormat)
                        Accessible.name: Qt.locale().dayName(number % 7, Locale.LongFormat)
                        ToolTip.text: Accessible.name
                        ToolTip.visible: hovered
                        ToolTip.delay: Kirigami.Units.toolTipDelay
                        Keys.onPressed: function (event) {
                            event.accepted = dialog.moveFocus(weekdays, index, event.key, 7)
                        }
                    }
                }
            }
        }

        ColumnLayout {
            spacing: Kirigami.Units.smallSpacing

            FieldSentence {
                pattern: monthsCount.value === 1 ? qsTr("Every %1 month, on the days") : qsTr("Every %1 months, on the days", "%1 is a number field", monthsCount.value)
                leader: monthsChoice
                fields: [monthsCount]

                RadioChoice {
                    id: monthsChoice
                    objectName: "monthsChoice"
                    ButtonGroup.group: choices
                    Accessible.name: qsTr("Every few months, on chosen days of the month")
                }
                SpinBox {
                    id: monthsCount
                    objectName: "monthsCount"
                    from: 1
                    to: 12
                    enabled: monthsChoice.checked
                    Accessible.name: qsTr("Number of months")
                }
            }
            Grid {
                Layout.leftMargin: monthsChoice.indicator.width + monthsChoice.spacing
                columns: 7
                Repeater {
                    id: monthDays
                    model: 31
                    Button {
                        id: dayButton
                        readonly property int number: index + 1
                        objectName: "monthDay" + number
                        width: dialog.dayButtonWidth
                        checkable: true
                        flat: !checked
                        enabled: monthsChoice.checked
                        text: number
                        Accessible.name: qsTr("Day %1").arg(number)
                        // Not every month has the days from the 29th on.
                        ToolTip.text: qsTr("In a month without day %1, the preset acts on the month's last day.").arg(number)
                        ToolTip.visible: number > 28 && hovered
                        ToolTip.delay: Kirigami.Units.toolTipDelay
                        Accessible.description: number > 28 ? ToolTip.text : ""
                        Keys.onPressed: function (event) {
                            event.accepted = dialog.moveFocus(monthDays, index, event.key, 7)
                        }
                        contentItem: Label {
                            text: dayButton.text
                            font: dayButton.font
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            color: dayButton.number > 28 ? Kirigami.Theme.negativeTextColor : Kirigami.Theme.textColor
                        }
                    }
                }
            }
        }
    }
}
