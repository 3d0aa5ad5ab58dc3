// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// Everything the mouse does, done with the keyboard alone: the list, the
// window's shortcuts, the kind choice, the date picker and the repeat
// dialog. The focus is never lost to nowhere.
ZelTestCase {
    id: testCase
    name: "Keyboard"

    property var window: null
    readonly property var model: backend.presetsModel
    readonly property string id1: "{00000000-0000-0000-0000-000000000001}"
    readonly property string id2: "{00000000-0000-0000-0000-000000000002}"
    readonly property string id3: "{00000000-0000-0000-0000-000000000003}"

    function preset(id, running, paused) {
        var start = new Date(2030, 0, 15, 8, 0).getTime()
        return {
            "preset_id": id,
            "preset_name": "Preset " + id.substr(-2, 1),
            "preset_type": PresetType.Scheduled,
            "action_type": ActionType.Lock,
            "preset_running": running,
            "preset_paused": paused,
            "schedule": {"start": start, "end": start + 3600000, "notify": 0, "repeat_settings": {"repeat_settings_type": RepeatType.EveryDay,
                    "repeat_settings_custom_type": RepeatCustomType.Days, "repeat_settings_count": 1, "repeat_settings_selected": []}}
        }
    }

    function child(name) {
        var found = findChild(window, name)
        verify(found, "no item " + name)
        return found
    }

    function list() {
        return child("presetList")
    }

    function opened(name) {
        var dialog = null
        tryVerify(function () {
            dialog = findChild(window, name)
            return dialog !== null && dialog.opened
        }, 3000, name + " is not open")
        return dialog
    }

    function closed(name) {
        tryVerify(function () {
            return findChild(window, name) === null
        }, 3000, name + " stays open")
    }

    function isInside(item, container) {
        for (; item; item = item.parent) {
            if (item === container) {
                return true
            }
        }
        return false
    }

    function focusOn(name) {
        var item = child(name)
        item.forceActiveFocus(Qt.TabFocusReason)
        verify(item.activeFocus)
        return item
    }

    function initTestCase() {
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
        window.requestActivate()
        tryCompare(window, "active", true)
    }

    function cleanupTestCase() {
        window.destroy()
    }

    function init() {
        model.selectAll()
        model.removeSelected()
        backend.setPresets([preset(id1, false, false), preset(id2, true, false), preset(id3, false, true)])
        backend.clearRequests()
        model.select(0)
    }

    function test_listMovesWithArrowsHomeAndEnd() {
        // The list has the focus when the window opens.
        focusOn("presetList")
        keyClick(Qt.Key_Down)
        compare(model.currentIndex, 1)
        keyClick(Qt.Key_End)
        compare(model.currentIndex, 2)
        keyClick(Qt.Key_Down)
        compare(model.currentIndex, 2)
        keyClick(Qt.Key_Home)
        compare(model.currentIndex, 0)
        keyClick(Qt.Key_Up)
        compare(model.currentIndex, 0)
    }

    function test_listKeysAskAboutEdits() {
        child("startTime").increase()
        verify(child("settings").hasChanges)
        focusOn("presetList")
        keyClick(Qt.Key_Down)
        opened("applyMessage")
        keyClick(Qt.Key_Escape)
        closed("applyMessage")
        compare(model.currentIndex, 0)
        verify(child("settings").hasChanges)
        // The focus goes back where it was.
        tryVerify(function () {
            return list().activeFocus
        })
        keyClick(Qt.Key_End)
        opened("applyMessage")
        // Apply has the focus.
        var box = opened("applyMessage")
        tryVerify(function () {
            return box.standardButton(Dialog.Apply).activeFocus
        })
        keyClick(Qt.Key_Space)
        closed("applyMessage")
        compare(backend.requests, ["save"])
        compare(model.currentIndex, 2)
    }

    function test_spaceStartsOrPausesTheCurrentRow() {
        focusOn("presetList")
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Space)
        compare(backend.requests, ["start:" + id1, "pause:" + id2, "start:" + id3])
    }

    // Tab goes from the list to the current row's buttons, Stop included.
    function test_tabReachesTheCurrentRowsButtons() {
        model.select(1)
        focusOn("presetList")
        keyClick(Qt.Key_Tab)
        keyClick(Qt.Key_Tab)
        var stop = findChild(list().itemAtIndex(1), "stopButton")
        verify(stop.activeFocus, "the focus is on " + window.activeFocusItem)
        keyClick(Qt.Key_Space)
        compare(backend.requests, ["stop:" + id2])
    }

    function test_deleteRemovesOnlyFromTheList() {
        focusOn("presetList")
        keyClick(Qt.Key_Delete)
        opened("removeMessage")
        keyClick(Qt.Key_Escape)
        closed("removeMessage")
        focusOn("startTime")
        keyClick(Qt.Key_Delete)
        wait(50)
        compare(findChild(window, "removeMessage"), null)
    }

    function test_shortcuts() {
        keyClick(Qt.Key_N, Qt.ControlModifier)
        compare(list().count, 4)
        compare(model.currentIndex, 3)
        child("timerHours").increase()
        keyClick(Qt.Key_S, Qt.ControlModifier)
        compare(backend.requests, ["save"])
        keyClick(Qt.Key_F1)
        compare(backend.requests, ["save", "help"])
    }

    function test_focusStaysWhenAButtonTurnsDisabled() {
        model.select(1)
        var down = focusOn("downButton")
        keyClick(Qt.Key_Space)
        compare(model.currentIndex, 2)
        verify(!down.enabled)
        verify(list().activeFocus, "the focus is on " + window.activeFocusItem)
    }

    function test_kindChoiceMovesWithArrows() {
        focusOn("scheduleChoice")
        keyClick(Qt.Key_Right)
        verify(child("rangeChoice").checked && child("rangeChoice").activeFocus)
        keyClick(Qt.Key_Down)
        verify(child("timerChoice").checked && child("timerChoice").activeFocus)
        keyClick(Qt.Key_Up)
        verify(child("rangeChoice").checked)
        verify(child("settings").hasChanges)
    }

    function test_datePicker() {
        // 15 January 2030.
        focusOn("dateField")
        keyClick(Qt.Key_Space)
        var picker = opened("datePicker")
        tryVerify(function () {
            return findChild(picker, "dayGrid").activeFocus
        })
        keyClick(Qt.Key_Right) // 16 January
        keyClick(Qt.Key_Down) // 23 January
        keyClick(Qt.Key_PageDown) // 23 February
        keyClick(Qt.Key_End) // 28 February
        keyClick(Qt.Key_PageUp, Qt.ShiftModifier) // 28 February 2029
        compare(picker.selectedDate.getTime(), new Date(2029, 1, 28).getTime())
        compare(findChild(picker, "monthChooser").currentIndex, 1)
        compare(findChild(picker, "year").text, "2029")
        keyClick(Qt.Key_Left) // 27 February
        keyClick(Qt.Key_Return)
        closed("datePicker")
        compare(child("startDate").getShortDateStr(), "27.02.29")
        // Escape leaves the date alone, and the focus on the field.
        keyClick(Qt.Key_Down, Qt.AltModifier)
        opened("datePicker")
        keyClick(Qt.Key_Home)
        keyClick(Qt.Key_Escape)
        closed("datePicker")
        compare(child("startDate").getShortDateStr(), "27.02.29")
        tryVerify(function () {
            return findChild(child("startDate"), "dateField").activeFocus
        })
    }

    function test_repeatDialog() {
        var chooser = focusOn("repeat")
        keyClick(Qt.Key_End)
        var dialog = opened("repeatDialog")
        var days = findChild(dialog.contentItem, "daysChoice")
        tryVerify(function () {
            return days.activeFocus
        })
        keyClick(Qt.Key_Down)
        verify(findChild(dialog.contentItem, "weeksChoice").checked)
        keyClick(Qt.Key_Tab)
        verify(findChild(dialog.contentItem, "weeksCount").activeFocus)
        keyClick(Qt.Key_Up) // every 2 weeks
        keyClick(Qt.Key_Tab)
        verify(findChild(dialog.contentItem, "weekday1").activeFocus, "the focus is on " + window.activeFocusItem)
        keyClick(Qt.Key_Space) // Monday
        keyClick(Qt.Key_Right)
        keyClick(Qt.Key_Right)
        keyClick(Qt.Key_Space) // Wednesday
        // Tab stays inside the dialog, round and round.
        for (var i = 0; i < 60; ++i) {
            keyClick(Qt.Key_Tab)
            var focused = window.activeFocusItem
            verify(isInside(focused, dialog.contentItem) || isInside(focused, dialog.footer), "Tab left the dialog for " + focused)
        }
        keyClick(Qt.Key_Return)
        closed("repeatDialog")
        compare(child("schedulerEditor").repeatSettings, {
            "repeat_settings_type": RepeatType.Custom,
            "repeat_settings_custom_type": RepeatCustomType.Weeks,
            "repeat_settings_count": 2,
            "repeat_settings_selected": [1, 3]
        })
        tryVerify(function () {
            return chooser.activeFocus
        })
    }

    // A click on a row gives the list the keys, whatever had them before.
    function test_clickedRowTakesTheKeys_data() {
        return [
            {tag: "space starts", key: Qt.Key_Space, requests: ["start:" + id3]},
            {tag: "delete asks", key: Qt.Key_Delete, requests: [], dialog: "removeMessage"}
        ]
    }

    function test_clickedRowTakesTheKeys(data) {
        focusOn("repeat")
        var row = list().itemAtIndex(2)
        mouseClick(row, Math.round(row.width / 4), Math.round(row.height / 2))
        compare(model.currentIndex, 2)
        verify(list().activeFocus, "the focus is on " + window.activeFocusItem)
        // Marked, on the selected row too.
        var frame = findChild(row, "rowFocus")
        verify(frame.visible)
        verify(!Qt.colorEqual(frame.border.color, Kirigami.Theme.highlightColor))
        keyClick(data.key)
        if (data.dialog) {
            opened(data.dialog)
            keyClick(Qt.Key_Escape)
            closed(data.dialog)
        }
        compare(backend.requests, data.requests)
    }

    // Enter answers a question with the button that has the focus: the
    // safe one when removing, Apply for unsaved edits; Escape cancels.
    function test_enterAnswers_data() {
        return [
            {tag: "remove", ask: "removeMessage", key: Qt.Key_Return, requests: [], row: 0},
            {tag: "apply", ask: "applyMessage", key: Qt.Key_Enter, requests: ["save"], row: 1},
            {tag: "apply escaped", ask: "applyMessage", key: Qt.Key_Escape, requests: [], row: 0}
        ]
    }

    function test_enterAnswers(data) {
        if (data.ask === "applyMessage") {
            child("startTime").increase()
            focusOn("presetList")
            keyClick(Qt.Key_Down)
        } else {
            focusOn("presetList")
            keyClick(Qt.Key_Delete)
        }
        var box = opened(data.ask)
        tryVerify(function () {
            return window.activeFocusItem === box.initialFocus
        })
        keyClick(data.key)
        closed(data.ask)
        compare(backend.requests, data.requests)
        compare(model.currentIndex, data.row)
    }

    function test_newPresetIsEditedFromItsFirstField() {
        focusOn("addButton")
        keyClick(Qt.Key_N, Qt.ControlModifier)
        compare(model.currentIndex, 3)
        tryVerify(function () {
            return child("actionChooser").activeFocus
        }, 3000, "the focus is on " + window.activeFocusItem)
    }
}
