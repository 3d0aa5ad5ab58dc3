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
Kirigami.Dialog {
    id: dialog
    objectName: "datePicker"

    property var selectedDate
    property date minimumDate: new Date(1970, 0, 1)
    property date maximumDate: new Date(2038, 0, 1)

    readonly property var uiLocale: Qt.locale(Qt.locale().uiLanguages.length > 0 ? Qt.locale().uiLanguages[0] : Qt.locale().name)
    readonly property bool rightToLeft: Qt.application.layoutDirection === Qt.RightToLeft
    readonly property int cellWidth: 34
    readonly property int cellHeight: 32
    readonly property int weekColumnWidth: 44
    readonly property int displayedYear: calendar.displayedDate.getFullYear()

    signal activated(date date)

    function updateMonths() {
        for (var i = 0; i < monthList.count; ++i) {
            monthList.setProperty(i, "yearNumber", displayedYear)
        }
        monthChooser.currentIndex = calendar.displayedDate.getMonth()
    }

    // Centred by the dialog's own size. Kirigami's default also slides the
    // dialog down while it fades in and follows its current height, which
    // the popup shrinks when the slide pushes it past the window's bottom: a
    // binding loop whenever the dialog is nearly as tall as the window.
    y: parent ? Math.max(0, Math.round((parent.height - implicitHeight) / 2)) : 0
    title: qsTr("Choose Date")
    standardButtons: Dialog.Ok | Dialog.Cancel
    // Each use makes a new dialog; it goes once it is closed.
    onClosed: destroy()
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

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 32
            implicitWidth: header.implicitWidth + 2 * Kirigami.Units.smallSpacing
            radius: Kirigami.Units.smallSpacing
            color: Kirigami.Theme.alternateBackgroundColor

            RowLayout {
                id: header
                anchors.fill: parent
                anchors.leftMargin: Kirigami.Units.smallSpacing
                anchors.rightMargin: Kirigami.Units.smallSpacing

                ToolButton {
                    objectName: "previousYear"
                    implicitWidth: 24
                    implicitHeight: 24
                    icon.name: dialog.rightToLeft ? "arrow-right-double-symbolic" : "arrow-left-double-symbolic"
                    onClicked: calendar.previousYear()
                }
                ToolButton {
                    objectName: "previousMonth"
                    implicitWidth: 24
                    implicitHeight: 24
                    icon.name: dialog.rightToLeft ? "arrow-right-symbolic" : "arrow-left-symbolic"
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
                    onActivated: function (index) {
                        calendar.goToMonth(index + 1)
                    }
                }
                Item {
                    Layout.fillWidth: true
                }
                ToolButton {
                    objectName: "nextMonth"
                    implicitWidth: 24
                    implicitHeight: 24
                    icon.name: dialog.rightToLeft ? "arrow-left-symbolic" : "arrow-right-symbolic"
                    onClicked: calendar.nextMonth()
                }
                ToolButton {
                    objectName: "nextYear"
                    implicitWidth: 24
                    implicitHeight: 24
                    icon.name: dialog.rightToLeft ? "arrow-left-double-symbolic" : "arrow-right-double-symbolic"
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
                    }
                }
            }

            Grid {
                id: dayGrid
                objectName: "dayGrid"
                columns: 7
                rows: 6

                Repeater {
                    id: dayRepeater
                    model: calendar.daysModel
                    DayDelegate {
                        width: dialog.cellWidth
                        height: dialog.cellHeight
                        selectedDate: dialog.selectedDate
                        today: calendar.today
                        onActivated: function (date) {
                            dialog.selectedDate = date
                        }
                    }
                }
            }
        }
    }
}
