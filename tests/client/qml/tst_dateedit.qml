// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtTest 1.2
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler.widgets 1.0

ZelTestCase {
    id: testCase
    name: "DateEdit"
    width: 600
    height: 500
    visible: true
    // The tests run once the window is shown. With "when: windowShown" they
    // would run inside the binding's update, which the test case reports as
    // a binding loop.
    when: false
    onWindowShownChanged: if (windowShown) Qt.callLater(function () {
        testCase.when = true
    })

    Component {
        id: dateEditComponent
        DateEdit {}
    }


    function test_timestampIsLocalMidnight() {
        var edit = createTemporaryObject(dateEditComponent, testCase, {"selectedDate": new Date(2024, 2, 5, 14, 30)})
        compare(edit.timestamp, new Date(2024, 2, 5, 0, 0, 0, 0).getTime())
        compare(edit.getShortDateStr(), "05.03.24")
        compare(edit.getDateStr(), new Date(2024, 2, 5).toLocaleDateString(Qt.locale(), "dd MMMM yyyy"))
        edit.setDate(new Date(1999, 11, 31, 23, 59, 59).getTime())
        compare(edit.getShortDateStr(), "31.12.99")
        compare(edit.timestamp, new Date(1999, 11, 31).getTime())
    }

    function test_longDatesAreNotClipped() {
        var edit = createTemporaryObject(dateEditComponent, testCase)
        var field = findChild(edit, "dateField")
        edit.setDate(new Date(2026, 8, 28).getTime()) // the longest English month name
        verify(field.contentWidth > 0)
        verify(field.contentWidth <= field.width - field.leftPadding - field.rightPadding,
               "text " + field.contentWidth + " in " + (field.width - field.leftPadding - field.rightPadding))
        verify(field.width >= 150)
        compare(edit.implicitWidth, field.width)
    }

    function test_limits() {
        var edit = createTemporaryObject(dateEditComponent, testCase)
        compare(edit.minimumDate.getTime(), new Date(1970, 0, 1).getTime())
        compare(edit.maximumDate.getTime(), new Date(2077, 0, 1).getTime())
        // Starts at the current day.
        compare(edit.getDateStr(), new Date().toLocaleDateString(Qt.locale(), "dd MMMM yyyy"))
    }

    function dayButtons(picker) {
        var grid = findChild(picker, "dayGrid")
        var buttons = []
        for (var i = 0; i < grid.children.length; ++i) {
            if (grid.children[i].dayDate !== undefined) {
                buttons.push(grid.children[i])
            }
        }
        return buttons
    }

    function test_pickerGrid() {
        var edit = createTemporaryObject(dateEditComponent, testCase, {"selectedDate": new Date(2024, 2, 5, 14, 30)})
        var picker = edit.openPicker()
        verify(picker)
        tryCompare(picker, "opened", true)
        compare(findChild(picker, "year").text, "2024")
        compare(findChild(picker, "monthChooser").currentIndex, 2)

        var buttons = dayButtons(picker)
        compare(buttons.length, 42)
        var checked = buttons.filter(function (b) { return b.checked })
        compare(checked.length, 1)
        compare(checked[0].text, "5")

        // Days of the neighbouring months are half transparent but can be
        // chosen.
        var first = buttons[0]
        var last = buttons[41]
        compare(buttons.filter(function (b) { return b.opacity === 1.0 }).length, 31)
        if (first.dayDate.getMonth() !== 2) {
            compare(first.opacity, 0.5)
        }
        compare(last.dayDate.getMonth(), 3)
        compare(last.opacity, 0.5)

        var activatedDate = null
        picker.activated.connect(function (date) { activatedDate = date })
        mouseClick(last)
        compare(picker.selectedDate.getTime(), last.dayDate.getTime())
        verify(last.checked)
        verify(!checked[0].checked)
        picker.accept()
        verify(activatedDate !== null)
        compare(edit.getShortDateStr(), last.dayDate.toLocaleDateString(Qt.locale(), "dd.MM.yy"))
        compare(edit.timestamp, last.dayDate.getTime())
    }

    // Today and the selected day are marked apart, with colours of the
    // scheme: the selected day filled, today in bold and underlined.
    function test_pickerMarksTodayAndTheSelectedDay() {
        var today = new Date()
        var other = new Date(today.getFullYear(), today.getMonth(), today.getDate() === 15 ? 16 : 15)
        var edit = createTemporaryObject(dateEditComponent, testCase, {"selectedDate": other})
        var picker = edit.openPicker()
        tryCompare(picker, "opened", true)
        var buttons = dayButtons(picker)
        var todays = buttons.filter(function (b) { return b.isToday })
        compare(todays.length, 1)
        var marked = todays[0]
        var selected = buttons.filter(function (b) { return b.checked })[0]
        compare(selected.dayDate.getDate(), other.getDate())
        verify(!marked.checked)
        verify(marked.contentItem.font.bold && marked.contentItem.font.underline)
        verify(!selected.contentItem.font.bold)
        verify(marked.contentItem.color !== selected.contentItem.color)
        // The selected day's text on the selection colour.
        compare(selected.background.color, selected.Kirigami.Theme.highlightColor)
        compare(selected.contentItem.color, selected.Kirigami.Theme.highlightedTextColor)
        // Both at once: filled and bold.
        mouseClick(marked)
        verify(marked.checked && marked.contentItem.font.bold)
        picker.reject()
    }

    function test_pickerNavigatesMonths() {
        var edit = createTemporaryObject(dateEditComponent, testCase, {"selectedDate": new Date(2024, 0, 15)})
        var picker = edit.openPicker()
        tryCompare(picker, "opened", true)
        mouseClick(findChild(picker, "previousMonth"))
        compare(findChild(picker, "year").text, "2023")
        compare(findChild(picker, "monthChooser").currentIndex, 11)
        mouseClick(findChild(picker, "nextYear"))
        compare(findChild(picker, "year").text, "2024")
        mouseClick(findChild(picker, "nextMonth"))
        compare(findChild(picker, "monthChooser").currentIndex, 0)
        // Cancel leaves the date alone.
        picker.reject()
        compare(edit.getShortDateStr(), "15.01.24")
    }
}
