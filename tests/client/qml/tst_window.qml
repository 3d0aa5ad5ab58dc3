// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Dialogs 1.3
import QtTest 1.2
import zel.scheduler 1.0

// The window and its preset list over the fake backend.
TestCase {
    id: testCase
    name: "Window"

    property var window: null
    readonly property var model: backend.presetsModel

    function preset(id, name, running, paused) {
        return {
            "preset_id": id,
            "preset_name": name,
            "preset_type": PresetType.Range,
            "action_type": ActionType.Lock,
            "preset_running": running,
            "preset_paused": paused,
            "interval": {"start": 0, "end": 3600000, "regularity": 60000}
        }
    }

    readonly property var threePresets: [
        preset("{00000000-0000-0000-0000-000000000001}", "Stopped", false, false),
        preset("{00000000-0000-0000-0000-000000000002}", "Running", true, false),
        preset("{00000000-0000-0000-0000-000000000003}", "Paused", false, true)
    ]

    function child(name) {
        var found = findChild(window, name)
        verify(found, "no item " + name)
        return found
    }

    function row(index) {
        var list = child("presetList")
        var item = null
        tryVerify(function () {
            item = list.itemAtIndex(index)
            return item !== null && item.x === 0
        }, 3000, "row " + index)
        return item
    }

    function rowNames() {
        var names = []
        for (var i = 0; i < child("presetList").count; ++i) {
            names.push(row(i).label)
        }
        return names
    }

    function messageBox(name) {
        var box = null
        tryVerify(function () {
            box = findChild(window, name)
            return box !== null && box.visible
        }, 3000, "message box " + name)
        return box
    }

    function makeEdit() {
        findChild(window, "rangeStart").increase()
        verify(child("settings").hasChanges)
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
        backend.hasConnection = true
        model.setPresets(threePresets)
        model.clearRequests()
        tryVerify(function () {
            return findChild(window, "applyMessage") === null && findChild(window, "removeMessage") === null
        }, 3000, "message boxes left open")
        // A message box takes the focus away from the window.
        window.requestActivate()
        tryCompare(window, "active", true)
    }

    function test_windowValues() {
        compare(window.title, "Scheduler")
        compare(window.minimumWidth, 850)
        compare(window.minimumHeight, 420)
        compare(window.spacing, 12)
        verify(child("settings").width <= 430)
    }

    function test_runButtonsFollowTheRunState_data() {
        return [
            {tag: "stopped", row: 0, start: true, pause: false, stop: false},
            {tag: "running", row: 1, start: false, pause: true, stop: true},
            {tag: "paused", row: 2, start: true, pause: false, stop: true}
        ]
    }

    function test_runButtonsFollowTheRunState(data) {
        var item = row(data.row)
        compare(findChild(item, "startButton").visible, data.start)
        compare(findChild(item, "pauseButton").visible, data.pause)
        compare(findChild(item, "stopButton").visible, data.stop)
    }

    function test_runButtonsSendTheId() {
        mouseClick(findChild(row(0), "startButton"))
        mouseClick(findChild(row(1), "pauseButton"))
        mouseClick(findChild(row(2), "stopButton"))
        compare(model.requests, ["start:{00000000-0000-0000-0000-000000000001}",
                                 "pause:{00000000-0000-0000-0000-000000000002}",
                                 "stop:{00000000-0000-0000-0000-000000000003}"])
        // Starting a row does not make it current.
        compare(model.currentIndex, 0)
    }

    function test_listFollowsTheCurrentRow() {
        compare(child("presetList").currentIndex, 0)
        model.select(2)
        compare(child("presetList").currentIndex, 2)
        verify(row(2).highlighted)
        verify(!row(0).highlighted)
    }

    function test_clickingARowWithoutEdits() {
        mouseClick(row(1))
        compare(model.currentIndex, 1)
        compare(findChild(window, "applyMessage"), null)
    }

    function test_moveUpAndDownChangeTheCurrentRowOnly() {
        var up = child("upButton")
        var down = child("downButton")
        verify(!up.enabled)
        verify(down.enabled)
        mouseClick(down)
        mouseClick(down)
        compare(model.currentIndex, 2)
        verify(!down.enabled)
        verify(up.enabled)
        mouseClick(up)
        compare(model.currentIndex, 1)
        compare(rowNames(), ["Stopped", "Running", "Paused"])
    }

    function test_guardCancelKeepsRowAndEdits() {
        makeEdit()
        mouseClick(row(2))
        var box = messageBox("applyMessage")
        compare(box.title, "Apply settings")
        box.click(StandardButton.Cancel)
        compare(model.currentIndex, 0)
        verify(child("settings").hasChanges)
        compare(model.requests, [])

        mouseClick(child("downButton"))
        messageBox("applyMessage").click(StandardButton.Cancel)
        compare(model.currentIndex, 0)
        verify(child("settings").hasChanges)
    }

    function test_guardApplySavesThenMoves() {
        makeEdit()
        mouseClick(child("downButton"))
        messageBox("applyMessage").click(StandardButton.Apply)
        compare(model.requests, ["save"])
        compare(model.lastSaved.preset_id, "{00000000-0000-0000-0000-000000000001}")
        compare(model.lastSaved.interval.start, 60000)
        compare(model.currentIndex, 1)
        verify(!child("settings").hasChanges)
    }

    function test_guardDiscardMoves() {
        makeEdit()
        mouseClick(row(2))
        messageBox("applyMessage").click(StandardButton.Discard)
        compare(model.requests, [])
        compare(model.currentIndex, 2)
        verify(!child("settings").hasChanges)
        // Back on the first row, the edit is gone.
        model.select(0)
        compare(findChild(window, "rangeStart").value, 0)
    }

    function test_removeSelectedAsksOnce() {
        var remove = child("removeButton")
        verify(remove.enabled)
        mouseClick(child("selectAllButton"))
        verify(model.isSelected(0) && model.isSelected(1) && model.isSelected(2))
        mouseClick(remove)
        var box = messageBox("removeMessage")
        compare(box.text, "Do you want to remove the action?")
        box.click(StandardButton.Ok)
        compare(model.requests, ["remove:{00000000-0000-0000-0000-000000000001}",
                                 "remove:{00000000-0000-0000-0000-000000000002}",
                                 "remove:{00000000-0000-0000-0000-000000000003}"])
        // The rows stay until the service confirms.
        compare(child("presetList").count, 3)
        tryVerify(function () {
            return findChild(window, "removeMessage") === null
        }, 3000, "the message box stays")
    }

    function test_removeCancelled() {
        mouseClick(child("removeButton"))
        messageBox("removeMessage").click(StandardButton.Cancel)
        compare(model.requests, [])
    }

    function test_deleteKeyAsks() {
        keyClick(Qt.Key_Delete)
        messageBox("removeMessage").click(StandardButton.Cancel)
        model.deselect()
        keyClick(Qt.Key_Delete)
        wait(50)
        compare(findChild(window, "removeMessage"), null)
    }

    function test_emptyList() {
        model.setPresets([])
        verify(!child("removeButton").enabled)
        verify(!child("selectAllButton").enabled)
        verify(!child("upButton").enabled)
        verify(!child("downButton").enabled)
        verify(child("addButton").enabled)
        verify(!child("settings").enabled)
    }

    function test_addEvent() {
        model.setPresets([])
        mouseClick(child("addButton"))
        compare(child("presetList").count, 1)
        compare(row(0).label, "Shut Down")
        // The first row of an empty list becomes current and is shown as an
        // unchanged timer.
        compare(model.currentIndex, 0)
        verify(child("settings").enabled)
        verify(findChild(window, "timerChoice").checked)
        verify(!child("settings").hasChanges)
        compare(model.requests, [])
    }

    function test_disconnectedDisablesBothPanels() {
        backend.hasConnection = false
        verify(!child("presets").enabled)
        verify(!child("settings").enabled)
        compare(child("presetList").count, 3)
        backend.hasConnection = true
        verify(child("presets").enabled)
        verify(child("settings").enabled)
    }

    function test_help() {
        var count = backend.helpCount
        keyClick(Qt.Key_F1)
        compare(backend.helpCount, count + 1)
        var help = child("helpBox").standardButton(DialogButtonBox.Help)
        verify(help, "no Help button")
        mouseClick(help)
        compare(backend.helpCount, count + 2)
    }

    function test_zzCloseEndsTheWindow() {
        var closed = false
        window.closing.connect(function () { closed = true })
        mouseClick(child("closeBox").standardButton(DialogButtonBox.Close))
        verify(closed)
        tryCompare(window, "visible", false)
    }
}
