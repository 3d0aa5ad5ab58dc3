// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtTest 1.2
import zel.scheduler.widgets 1.0

ZelTestCase {
    id: testCase
    name: "TimeEdit"
    width: 400
    height: 200
    visible: true
    // The tests run once the window is shown. With "when: windowShown" they
    // would run inside the binding's update, which the test case reports as
    // a binding loop.
    when: false
    onWindowShownChanged: if (windowShown) Qt.callLater(function () {
        testCase.when = true
    })

    Component {
        id: timeEditComponent
        TimeEdit {}
    }

    // Something to give the focus away to.
    TextInput {
        id: elsewhere
        y: 100
        width: 100
        height: 20
        activeFocusOnTab: true
    }

    SignalSpy {
        id: modifiedSpy
        signalName: "valueModified"
    }

    function createEdit(properties) {
        var edit = createTemporaryObject(timeEditComponent, testCase, properties || {})
        verify(edit)
        modifiedSpy.clear()
        modifiedSpy.target = edit
        return edit
    }

    function typeText(text) {
        for (var i = 0; i < text.length; ++i) {
            keyClick(text[i])
        }
    }

    function test_textFromValue() {
        var edit = createEdit()
        compare(edit.textFromValue(0, edit.locale), "00:00")
        compare(edit.textFromValue(9 * 3600000 + 5 * 60000, edit.locale), "09:05")
        compare(edit.textFromValue(86340000, edit.locale), "23:59")
        // Seconds do not show.
        compare(edit.textFromValue(3600000 + 59000, edit.locale), "01:00")
        compare(edit.valueFromText("12:34", edit.locale), 12 * 3600000 + 34 * 60000)
        compare(edit.valueFromText("07", edit.locale), 7 * 3600000)
    }

    function test_setTimeFromDate() {
        var edit = createEdit()
        // Seconds the field cannot show are dropped.
        edit.setTimeFromDate(new Date(2024, 2, 5, 14, 30, 15).getTime())
        compare(edit.value, 14 * 3600000 + 30 * 60000)
        compare(edit.contentItem.text, "14:30")
    }

    function test_typedValuesAreClamped_data() {
        return [
            {tag: "both too large", typed: "2775", text: "23:59", value: 86340000},
            {tag: "hours too large", typed: "3010", text: "23:10", value: 23 * 3600000 + 10 * 60000},
            {tag: "minutes too large", typed: "0861", text: "08:59", value: 8 * 3600000 + 59 * 60000},
            {tag: "valid", typed: "0705", text: "07:05", value: 7 * 3600000 + 5 * 60000}
        ]
    }

    function test_typedValuesAreClamped(data) {
        var edit = createEdit({"editable": true})
        edit.contentItem.forceActiveFocus()
        edit.contentItem.selectAll()
        keyClick(Qt.Key_Backspace)
        compare(edit.contentItem.text, ":")
        edit.contentItem.cursorPosition = 0
        typeText(data.typed)
        compare(edit.contentItem.text, data.text)
        compare(edit.value, data.value)
        verify(modifiedSpy.count >= 1)
    }

    function test_notEditableIgnoresTyping() {
        var edit = createEdit({"value": 3600000, "editable": false})
        edit.contentItem.forceActiveFocus()
        edit.contentItem.cursorPosition = 0
        typeText("2359")
        compare(edit.value, 3600000)
        compare(edit.contentItem.text, "01:00")
        compare(modifiedSpy.count, 0)
    }

    // Steps go round the clock and keep the other part.
    function test_stepsGoRoundTheClock_data() {
        return [
            {tag: "hour up from 23:30", value: "23:30", part: 1, key: Qt.Key_Up, result: "00:30"},
            {tag: "hour down from 00:10", value: "00:10", part: 1, key: Qt.Key_Down, result: "23:10"},
            {tag: "minute up from 23:59", value: "23:59", part: 4, key: Qt.Key_Up, result: "00:00"},
            {tag: "minute down from 00:00", value: "00:00", part: 4, key: Qt.Key_Down, result: "23:59"},
            {tag: "hour up from 12:45", value: "12:45", part: 1, key: Qt.Key_Up, result: "13:45"}
        ]
    }

    function test_stepsGoRoundTheClock(data) {
        var edit = createEdit()
        edit.value = edit.valueFromText(data.value, edit.locale)
        var field = edit.contentItem
        mouseClick(field, field.positionToRectangle(data.part).x + 1, field.height / 2)
        keyClick(data.key)
        compare(field.text, data.result)
        compare(edit.value, edit.valueFromText(data.result, edit.locale))
    }

    // 22:30 takes a click, four digits and Enter.
    function test_typingATime() {
        var edit = createEdit({"value": 10 * 3600000})
        var field = edit.contentItem
        mouseClick(field, field.positionToRectangle(1).x + 1, field.height / 2)
        typeText("2230")
        keyClick(Qt.Key_Return)
        compare(edit.value, 22 * 3600000 + 30 * 60000)
        compare(field.text, "22:30")
        verify(modifiedSpy.count >= 1)
    }

    function test_stepsByTheSelectedPart() {
        var edit = createEdit({"value": 10 * 3600000 + 20 * 60000})
        var field = edit.contentItem
        // A click before the colon selects the hours.
        mouseClick(field, field.positionToRectangle(1).x + 1, field.height / 2)
        verify(field.activeFocus)
        verify(field.isHoursEdited)
        compare(field.selectedText, "10")
        keyClick(Qt.Key_Up)
        compare(edit.value, 11 * 3600000 + 20 * 60000)
        // A click after it selects the minutes.
        mouseClick(field, field.positionToRectangle(4).x + 1, field.height / 2)
        verify(field.isMinutesEdited)
        verify(!field.isHoursEdited)
        keyClick(Qt.Key_Up)
        compare(edit.value, 11 * 3600000 + 21 * 60000)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Down)
        compare(edit.value, 11 * 3600000 + 19 * 60000)
        // Without focus the step is a minute again.
        elsewhere.forceActiveFocus()
        verify(!field.isHoursEdited && !field.isMinutesEdited)
        compare(edit.stepSize, 60000)
    }

    function test_tabMovesBetweenParts() {
        var edit = createEdit({"value": 3600000})
        var field = edit.contentItem
        mouseClick(field, field.positionToRectangle(0).x + 1, field.height / 2)
        verify(field.isHoursEdited)
        keyClick(Qt.Key_Tab)
        verify(field.isMinutesEdited)
        compare(field.selectedText, "00")
        keyClick(Qt.Key_Backtab)
        verify(field.isHoursEdited)
        compare(field.selectedText, "01")
        keyClick(Qt.Key_Tab)
        keyClick(Qt.Key_Tab)
        // From the minutes, Tab leaves the field.
        verify(!field.activeFocus)
        verify(!field.isHoursEdited && !field.isMinutesEdited)
    }

    function test_focusByTabSelectsHours() {
        var edit = createEdit({"value": 2 * 3600000 + 3 * 60000})
        var field = edit.contentItem
        field.forceActiveFocus(Qt.TabFocusReason)
        verify(field.isHoursEdited)
        compare(field.selectedText, "02")
        elsewhere.forceActiveFocus()
        field.forceActiveFocus(Qt.BacktabFocusReason)
        verify(field.isMinutesEdited)
        compare(field.selectedText, "03")
    }

    function test_rightClickDoesNotSelect() {
        var edit = createEdit({"value": 3600000})
        var field = edit.contentItem
        mouseClick(field, 2, field.height / 2, Qt.RightButton)
        verify(!field.isHoursEdited && !field.isMinutesEdited)
    }
}
