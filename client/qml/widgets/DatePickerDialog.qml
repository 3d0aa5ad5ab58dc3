// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import org.kde.plasma.calendar 2.0 as PlasmaCalendar

// A month calendar for choosing one day; emits activated() with the chosen
// day on OK. The selected day is filled, today is marked in bold and
// underlined in the link colour, both from the colour scheme.
//
// Keys: the days take the focus when the calendar opens; the arrow keys
// move the selected day by a day or a week, Page Up and Page Down by a
// month (with Shift by a year), Home and End to the month's first and last
// day; Enter chooses the day, Escape closes the calendar. Tab reaches the
// buttons of the header and of the footer.
ModalDialog {
    id: dialog
    objectName: "datePicker"

    property var selectedDate
    property date minimumDate: new Date(1970, 0, 1)
    property date maximumDate: new Date(2038, 0, 1)

    readonly property var uiLocale: Qt.locale(Qt.locale().uiLanguages.length > 0 ? Qt.locale().uiLanguages[0] : Qt.locale().name)
    readonly property bool rightToLeft: Qt.application.layoutDirection === Qt.RightToLeft
    readonly property int displayedYear: calendar.displayedDate.getFullYear()
    // A cell holds a day's number in bold or a weekday's short name.
    readonly property real cellWidth: {
        var widest = boldMetrics.advanceWidth("28")
        for (var day = 0; day < 7; ++day) {
            widest = Math.max(widest, metrics.advanceWidth(uiLocale.dayName(day, Locale.ShortFormat)))
        }
        return Math.ceil(Math.max(widest + 2 * Kirigami.Units.largeSpacing, Kirigami.Units.gridUnit * 2))
    }
    readonly property real cellHeight: Math.ceil(Math.max(metrics.height + 2 * Kirigami.Units.smallSpacing, Kirigami.Units.gridUnit * 1.75))
    readonly property real weekColumnWidth: Math.ceil(metrics.advanceWidth("53") + 2 * Kirigami.Units.largeSpacing)

    signal activated(date date)

    function updateMonths() {
        for (var i = 0; i < monthList.count; ++i) {
            monthList.setProperty(i, "yearNumber", displayedYear)
        }
        monthChooser.currentIndex = calendar.displayedDate.getMonth()
    }

    // Selects a day and shows its month.
    function select(date) {
        selectedDate = date
        if (date.getFullYear() !== calendar.displayedDate.getFullYear() || date.getMonth() !== calendar.displayedDate.getMonth()) {
            calendar.displayedDate = date
        }
    }

    function moveByDays(days) {
        var from = selectedDate
        select(new Date(from.getFullYear(), from.getMonth(), from.getDate() + days))
    }

    // The same day of another month, or that month's last day.
    function moveByMonths(months) {
        var from = selectedDate
        var lastDay = new Date(from.getFullYear(), from.getMonth() + months + 1, 0).getDate()
        select(new Date(from.getFullYear(), from.getMonth() + months, Math.min(from.getDate(), lastDay)))
    }

    function moveInMonth(toEnd) {
        var from = selectedDate
        select(new Date(from.getFullYear(), from.getMonth() + (toEnd ? 1 : 0), toEnd ? 0 : 1))
    }

    title: qsTr("Choose Date")
    standardButtons: Dialog.Ok | Dialog.Cancel
    initialFocus: dayGrid
    padding: Kirigami.Units.largeSpacing

    onAccepted: dialog.activated(dialog.selectedDate)

    Component.onCompleted: {
        if (selectedDate === undefined || selectedDate === null || isNaN(selectedDate.getTime())) {
            selectedDate = calendar.today
        } else {
            calendar.displayedDate = selectedDate
        }
        calendar.daysModel.setPluginsManager(PlasmaCalendar.EventPluginsManager)
        updateMonths()
    }

    PlasmaCalendar.Calendar {
        id: calendar
        days: 7
        weeks: 6
        firstDayOfWeek: Qt.locale().firstDayOfWeek
        today: new Date()
        onDisplayedDateChanged: dialog.updateMonths()
    }

    FontMetrics {
        id: metrics
    }
    FontMetrics {
        id: boldMetrics
        font.bold: true
    }

    ListModel {
        id: monthList
        Component.onCompleted: {
            for (var i = 0; i < 12; ++i) {
                append({
                    "label": dialog.uiLocale.standaloneMonthName(i, Locale.LongFormat),
                    "monthNumber": i + 1,
                    "yearNumber": dialog.displayedYear,
                    "isCurrent": true
                })
            }
        }
    }

    ColumnLayout {
        spacing: Kirigami.Units.smallSpacing

        Keys.onReturnPressed: dialog.accept()
        Keys.onEnterPressed: dialog.accept()

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: header.implicitHeight + 2 * Kirigami.Units.smallSpacing
            implicitWidth: header.implicitWidth + 2 * Kirigami.Units.smallSpacing
            radius: Kirigami.Units.smallSpacing
            color: Kirigami.Theme.alternateBackgroundColor

            RowLayout {
                id: header
                x: Kirigami.Units.smallSpacing
                y: Kirigami.Units.smallSpacing
                width: parent.width - 2 * Kirigami.Units.smallSpacing

                ToolButton {
                    objectName: "previousYear"
                    text: qsTr("Previous Year")
                    display: AbstractButton.IconOnly
                    icon.name: dialog.rightToLeft ? "arrow-right-double-symbolic" : "arrow-left-double-symbolic"
                    ToolTip.text: text
                    ToolTip.visible: hovered
                    ToolTip.delay: Kirigami.Units.toolTipDelay
                    onClicked: calendar.previousYear()
                }
                ToolButton {
                    objectName: "previousMonth"
                    text: qsTr("Previous Month")
                    display: AbstractButton.IconOnly
                    icon.name: dialog.rightToLeft ? "arrow-right-symbolic" : "arrow-left-symbolic"
                    ToolTip.text: text
                    ToolTip.visible: hovered
                    ToolTip.delay: Kirigami.Units.toolTipDelay
                    onClicked: calendar.previousMonth()
                }
                Item {
                    Layout.fillWidth: true
                }
                Kirigami.Heading {
                    objectName: "year"
                    level: 2
                    text: dialog.displayedYear
                }
                ComboBox {
                    id: monthChooser
                    objectName: "monthChooser"
                    flat: true
                    model: monthList
                    textRole: "label"
                    Accessible.name: qsTr("Month: %1 %2", "%1 month, %2 year").arg(displayText).arg(dialog.displayedYear)
                    onActivated: function (index) {
                        calendar.goToMonth(index + 1)
                    }
                }
                Item {
                    Layout.fillWidth: true
                }
                ToolButton {
                    objectName: "nextMonth"
                    text: qsTr("Next Month")
                    display: AbstractButton.IconOnly
                    icon.name: dialog.rightToLeft ? "arrow-left-symbolic" : "arrow-right-symbolic"
                    ToolTip.text: text
                    ToolTip.visible: hovered
                    ToolTip.delay: Kirigami.Units.toolTipDelay
                    onClicked: calendar.nextMonth()
                }
                ToolButton {
                    objectName: "nextYear"
                    text: qsTr("Next Year")
                    display: AbstractButton.IconOnly
                    icon.name: dialog.rightToLeft ? "arrow-left-double-symbolic" : "arrow-right-double-symbolic"
                    ToolTip.text: text
                    ToolTip.visible: hovered
                    ToolTip.delay: Kirigami.Units.toolTipDelay
                    onClicked: calendar.nextYear()
                }
            }
        }

        Row {
            Layout.leftMargin: dialog.weekColumnWidth
            Repeater {
                model: 7
                Label {
                    width: dialog.cellWidth
                    horizontalAlignment: Text.AlignHCenter
                    text: dialog.uiLocale.dayName((calendar.firstDayOfWeek + index) % 7, Locale.ShortFormat)
                    Accessible.ignored: true
                }
            }
        }

        Kirigami.Separator {
            Layout.leftMargin: dialog.weekColumnWidth
            Layout.fillWidth: true
        }

        Row {
            Column {
                Repeater {
                    model: calendar.weeksModel
                    Label {
                        width: dialog.weekColumnWidth
                        height: dialog.cellHeight
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        opacity: 0.6
                        text: modelData
                        Accessible.ignored: true
                    }
                }
            }

            Grid {
                id: dayGrid
                objectName: "dayGrid"
                columns: 7
                rows: 6
                activeFocusOnTab: true
                Accessible.role: Accessible.Table
                Accessible.name: qsTr("Days")
                Accessible.description: dialog.selectedDate ? dialog.selectedDate.toLocaleDateString(Qt.locale(), Locale.LongFormat) : ""

                Keys.onPressed: function (event) {
                    var forward = dialog.rightToLeft ? -1 : 1
                    var handled = true
                    switch (event.key) {
                    case Qt.Key_Left:
                        dialog.moveByDays(-forward)
                        break
                    case Qt.Key_Right:
                        dialog.moveByDays(forward)
                        break
                    case Qt.Key_Up:
                        dialog.moveByDays(-7)
                        break
                    case Qt.Key_Down:
                        dialog.moveByDays(7)
                        break
                    case Qt.Key_PageUp:
                        dialog.moveByMonths(event.modifiers & Qt.ShiftModifier ? -12 : -1)
                        break
                    case Qt.Key_PageDown:
                        dialog.moveByMonths(event.modifiers & Qt.ShiftModifier ? 12 : 1)
                        break
                    case Qt.Key_Home:
                        dialog.moveInMonth(false)
                        break
                    case Qt.Key_End:
                        dialog.moveInMonth(true)
                        break
                    default:
                        handled = false
                    }
                    event.accepted = handled
                }

                Repeater {
                    id: dayRepeater
                    model: calendar.daysModel
                    DayDelegate {
                        width: dialog.cellWidth
                        height: dialog.cellHeight
                        selectedDate: dialog.selectedDate
                        today: calendar.today
                        showsFocus: dayGrid.activeFocus
                        onActivated: function (date) {
                            dialog.selectedDate = date
                            dayGrid.forceActiveFocus(Qt.MouseFocusReason)
                        }
                    }
                }
            }
        }
    }
}
