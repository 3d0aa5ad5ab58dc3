// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// The window and its preset list over the client's presets model, with the
// test playing the service through the fake backend.
ZelTestCase {
    id: testCase
    name: "Window"

    property var window: null
    readonly property var model: backend.presetsModel
    readonly property string id1: "{00000000-0000-0000-0000-000000000001}"
    readonly property string id2: "{00000000-0000-0000-0000-000000000002}"
    readonly property string id3: "{00000000-0000-0000-0000-000000000003}"

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
        preset(id1, "Stopped", false, false),
        preset(id2, "Running", true, false),
        preset(id3, "Paused", false, true)
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
            return box !== null && box.opened
        }, 3000, "message box " + name)
        return box
    }

    // Clicks a button of the message box and waits until the box is gone.
    function answer(name, button) {
        mouseClick(messageBox(name).standardButton(button))
        tryVerify(function () {
            return findChild(window, name) === null
        }, 3000, "message box " + name + " stays")
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
        backend.serviceState = Backend.Ready
        backend.pendingRequests = 0
        backend.helpWorks = true
        // Drafts of earlier tests go too.
        model.selectAll()
        model.removeSelected()
        backend.setPresets(threePresets)
        backend.clearRequests()
        child("problemMessage").visible = false
        tryVerify(function () {
            return findChild(window, "applyMessage") === null && findChild(window, "removeMessage") === null
        }, 3000, "message boxes left open")
    }

    // Sizes come from the font: the editor gets the room it asks for.
    function test_windowValues() {
        compare(window.title, "Scheduler")
        compare(window.spacing, 3 * Kirigami.Units.smallSpacing)
        verify(window.width >= window.minimumWidth)
        verify(child("settings").width >= child("settings").implicitWidth)
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
        // Centred on the row.
        var button = findChild(item, data.start ? "startButton" : "stopButton")
        var centre = button.mapToItem(item, 0, button.height / 2).y
        verify(Math.abs(centre - item.height / 2) <= 1, "button centre " + centre + " in a row of " + item.height)
    }

    // The administrator's preset beside the user's own: a lock on its row,
    // the editor read-only, and no removal. Stop and Pause stay, as the
    // window is not told whether they are allowed.
    function test_managedPresetIsReadOnly_data() {
        return [
            {tag: "own", managed: false},
            {tag: "managed", managed: true}
        ]
    }

    function test_managedPresetIsReadOnly(data) {
        var running = preset(id1, "Lab closes", true, false)
        if (data.managed) {
            running.preset_managed = true
        }
        backend.setPresets([running])
        model.select(0)
        var item = row(0)
        compare(findChild(item, "managedMark").visible, data.managed)
        compare(item.Accessible.name.indexOf("set by your administrator") >= 0, data.managed)
        compare(child("managedMessage").visible, data.managed)
        compare(child("actionChooser").enabled, !data.managed)
        compare(child("rangeStart").enabled, !data.managed)
        compare(child("applyBox").visible, !data.managed)
        compare(child("removeButton").enabled, !data.managed)
        verify(findChild(item, "stopButton").enabled)
        // Delete asks nothing and sends nothing for it.
        child("presetList").forceActiveFocus()
        keyClick(Qt.Key_Delete)
        if (data.managed) {
            verify(findChild(window, "removeMessage") === null)
            model.removeSelected()
            compare(backend.requests, [])
        } else {
            answer("removeMessage", Dialog.Ok)
            compare(backend.requests, ["remove:" + id1])
        }
    }

    function test_longNamesStopBeforeTheButtons() {
        backend.setPresets([preset(id1, "A very long name that could never fit into the list beside the buttons of its row", false, false)])
        var item = row(0)
        var button = findChild(item, "startButton")
        var text = findChild(item, "presetName")
        verify(text.truncated)
        verify(text.mapToItem(item, text.width, 0).x <= button.mapToItem(item, 0, 0).x)
    }

    function test_runButtonsSendTheId() {
        mouseClick(findChild(row(1), "pauseButton"))
        mouseClick(findChild(row(2), "stopButton"))
        mouseClick(findChild(row(2), "startButton"))
        compare(backend.requests, ["pause:" + id2, "stop:" + id3, "start:" + id3])
        // Starting a row does not make it current.
        compare(model.currentIndex, 0)
    }

    // With unsaved edits, starting the current preset asks first: what runs
    // is what the editor shows, and the edits are never wiped.
    function test_startWithEditsAsks_data() {
        return [
            {tag: "apply", button: Dialog.Apply, requests: ["save", "start:" + id1], edited: false},
            {tag: "discard", button: Dialog.Discard, requests: ["start:" + id1], edited: false},
            {tag: "cancel", button: Dialog.Cancel, requests: [], edited: true}
        ]
    }

    function test_startWithEditsAsks(data) {
        makeEdit()
        mouseClick(findChild(row(0), "startButton"))
        answer("applyMessage", data.button)
        compare(backend.requests, data.requests)
        if (data.button === Dialog.Apply) {
            compare(backend.lastSaved.interval.start, 60000)
            backend.report(backend.lastSaved)
        }
        compare(child("settings").hasChanges, data.edited)
        compare(model.currentIndex, 0)
    }

    function test_startOtherRowWithEditsDoesNotAsk() {
        makeEdit()
        mouseClick(findChild(row(2), "startButton"))
        compare(backend.requests, ["start:" + id3])
        verify(child("settings").hasChanges)
    }

    // The rows of running windows and schedules follow the clock, as each
    // minute begins, only while there are such rows.
    function test_clockRunsWhileRowsFollowIt() {
        var clock = child("clockTimer")
        verify(row(1).followsClock)
        verify(clock.running)
        verify(clock.interval > 0 && clock.interval <= 60050, clock.interval)
        backend.setPresets([threePresets[0], threePresets[2]])
        verify(!clock.running)
    }

    function test_listFollowsTheCurrentRow() {
        model.select(0)
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
        compare(messageBox("applyMessage").title, "Apply Settings")
        answer("applyMessage", Dialog.Cancel)
        compare(model.currentIndex, 0)
        verify(child("settings").hasChanges)
        compare(backend.requests, [])

        mouseClick(child("downButton"))
        answer("applyMessage", Dialog.Cancel)
        compare(model.currentIndex, 0)
        verify(child("settings").hasChanges)
    }

    function test_guardApplySavesThenMoves() {
        makeEdit()
        mouseClick(child("downButton"))
        answer("applyMessage", Dialog.Apply)
        compare(backend.requests, ["save"])
        compare(backend.lastSaved.preset_id, id1)
        compare(backend.lastSaved.interval.start, 60000)
        compare(model.currentIndex, 1)
        verify(!child("settings").hasChanges)
    }

    function test_guardDiscardMoves() {
        makeEdit()
        mouseClick(row(2))
        answer("applyMessage", Dialog.Discard)
        compare(backend.requests, [])
        compare(model.currentIndex, 2)
        verify(!child("settings").hasChanges)
        // Back on the first row, the edit is gone.
        model.select(0)
        compare(findChild(window, "rangeStart").value, 0)
    }

    function test_guardRefusesToApplyWhatCouldNeverAct() {
        findChild(window, "rangeStart").value = 3600000 // the window now starts and ends at 01:00
        verify(child("settings").hasChanges)
        verify(!child("settings").isValid)
        mouseClick(row(1))
        var box = messageBox("applyMessage")
        verify(!box.standardButton(Dialog.Apply).enabled)
        answer("applyMessage", Dialog.Cancel)
        compare(model.currentIndex, 0)
    }

    // A reload of the list (a reconnect) keeps the preset being edited, with
    // its edits, wherever it lands in the new list.
    function test_reloadKeepsTheCurrentPreset() {
        model.select(2)
        makeEdit()
        backend.setPresets([threePresets[2], threePresets[0]])
        compare(model.currentIndex, 0)
        compare(model.currentItem.preset_id, id3)
        verify(child("settings").hasChanges)
        compare(findChild(window, "rangeStart").value, 60000)
    }

    function test_removalElsewhereLeavesNoPresetCurrent() {
        model.select(1)
        var name = model.data(model.index(1, 0), 258)
        backend.reportRemoved(id2)
        compare(model.currentIndex, -1)
        verify(!child("settings").enabled)
        compare(model.rowCount(), 2)
        // and says so; a row that was not being edited goes without a word
        verify(child("problemMessage").visible)
        compare(child("problemMessage").text, "The preset “" + name + "” that was open in the editor was removed by another program.")
        child("problemMessage").visible = false
        backend.reportRemoved(id1)
        verify(!child("problemMessage").visible)
    }

    function test_removeNamesWhatGoes_data() {
        return [
            {tag: "one", all: false, text: "Remove the preset “Stopped”?", requests: ["remove:" + id1]},
            {tag: "three", all: true, text: "Remove 3 presets?", requests: ["remove:" + id1, "remove:" + id2, "remove:" + id3]}
        ]
    }

    function test_removeNamesWhatGoes(data) {
        model.select(0)
        if (data.all) {
            mouseClick(child("selectAllButton"))
            verify(backend.isSelected(0) && backend.isSelected(1) && backend.isSelected(2))
        }
        mouseClick(child("removeButton"))
        var box = messageBox("removeMessage")
        compare(box.question, data.text)
        // The safe answer has the focus.
        tryVerify(function () {
            return box.standardButton(Dialog.Cancel).activeFocus
        })
        answer("removeMessage", Dialog.Ok)
        compare(backend.requests, data.requests)
        // The rows stay until the service confirms.
        compare(child("presetList").count, 3)
    }

    function test_removeCancelled() {
        model.select(0)
        mouseClick(child("removeButton"))
        // Once open, a stray Space answers Cancel.
        var box = messageBox("removeMessage")
        tryVerify(function () {
            return box.standardButton(Dialog.Cancel).activeFocus
        })
        keyClick(Qt.Key_Space)
        tryVerify(function () {
            return findChild(window, "removeMessage") === null
        }, 3000, "the message box stays")
        compare(backend.requests, [])
    }

    function test_deleteKeyAsks() {
        model.select(0)
        child("presetList").forceActiveFocus()
        keyClick(Qt.Key_Delete)
        answer("removeMessage", Dialog.Cancel)
        model.deselect()
        keyClick(Qt.Key_Delete)
        wait(50)
        compare(findChild(window, "removeMessage"), null)
    }

    function test_draftsAreRemovedAtOnce() {
        mouseClick(child("addButton"))
        compare(model.currentIndex, 3)
        mouseClick(child("removeButton"))
        answer("removeMessage", Dialog.Ok)
        compare(backend.requests, [])
        compare(rowNames(), ["Stopped", "Running", "Paused"])
    }

    function test_emptyList() {
        backend.setPresets([])
        verify(!child("removeButton").enabled)
        verify(!child("selectAllButton").enabled)
        verify(!child("upButton").enabled)
        verify(!child("downButton").enabled)
        verify(child("addButton").enabled)
        verify(!child("settings").enabled)
        // A placeholder tells how to begin, and its button does it.
        var placeholder = child("emptyPlaceholder")
        verify(placeholder.visible)
        backend.serviceState = Backend.Loading
        verify(!placeholder.visible)
        backend.serviceState = Backend.Ready
        placeholder.helpfulAction.trigger()
        compare(child("presetList").count, 1)
        verify(!placeholder.visible)
    }

    function test_addEvent() {
        mouseClick(child("addButton"))
        compare(child("presetList").count, 4)
        compare(row(3).label, "Shut Down 00:00:00")
        // The new row is current, shown as an unchanged timer, and cannot
        // be started before it is applied.
        compare(model.currentIndex, 3)
        verify(child("settings").enabled)
        verify(findChild(window, "timerChoice").checked)
        verify(!child("settings").hasChanges)
        var start = findChild(row(3), "startButton")
        verify(start.visible && !start.enabled)
        compare(start.parent.ToolTip.text, "Apply the preset to be able to start it.")
        compare(backend.requests, [])
    }

    function test_addWithEditsAsks() {
        makeEdit()
        mouseClick(child("addButton"))
        answer("applyMessage", Dialog.Cancel)
        compare(child("presetList").count, 3)
        verify(child("settings").hasChanges)
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

    // What the service is doing is said over the list, with the way out.
    function test_serviceMessages_data() {
        return [
            {tag: "ready", state: Backend.Ready, error: "", text: "", action: "", request: ""},
            {tag: "not running", state: Backend.NotRunning, error: "",
             text: "The scheduler service is not running. Presets cannot be changed, started or stopped until it runs.",
             action: "startServiceAction", request: "startService"},
            {tag: "start failed", state: Backend.NotRunning, error: "no activation file",
             text: "The scheduler service is not running and could not be started: no activation file",
             action: "startServiceAction", request: "startService"},
            {tag: "not answering", state: Backend.NotAnswering, error: "timed out",
             text: "The scheduler service does not answer: timed out", action: "reloadAction", request: "reload"},
            {tag: "starting", state: Backend.Starting, error: "", text: "Starting the scheduler service…", action: "", request: ""}
        ]
    }

    function test_serviceMessages(data) {
        // A wait is only mentioned once it lasts a human moment, made
        // short here: the message must not come before it has passed.
        var moment = Kirigami.Units.humanMoment
        Kirigami.Units.humanMoment = 200
        try {
            backend.serviceError = data.error
            backend.serviceState = data.state
            var message = child("serviceMessage")
            if (data.state === Backend.Starting) {
                verify(!message.visible)
            }
            tryCompare(message, "visible", data.text !== "", 5000)
            compare(message.text, data.text)
        } finally {
            Kirigami.Units.humanMoment = moment
        }
        if (data.action !== "") {
            var action = findChild(message, data.action)
            verify(action.visible)
            action.trigger()
            compare(backend.requests, [data.request])
        }
    }

    function test_help() {
        keyClick(Qt.Key_F1)
        mouseClick(child("helpBox").standardButton(DialogButtonBox.Help))
        compare(backend.requests, ["help", "help"])
        verify(!child("problemMessage").visible)
        // A help that cannot be opened says so.
        backend.helpWorks = false
        keyClick(Qt.Key_F1)
        verify(child("problemMessage").visible)
        verify(child("problemMessage").text.indexOf("help could not be opened") >= 0)
    }

    // With the page installed, the help opens in the window; the browser
    // is only asked for on request, and its failure is told.
    function test_helpInTheWindow() {
        backend.helpPage = "<h2>Keyboard</h2><p>More at <a href=\"https://kde.org/\">kde.org</a>.</p>"
        keyClick(Qt.Key_F1)
        var dialog = messageBox("helpDialog")
        verify(findChild(dialog.contentItem, "helpText").getText(0, 100).indexOf("Keyboard") >= 0)
        compare(backend.requests, [])
        backend.helpWorks = false
        findChild(dialog, "openInBrowserAction").trigger()
        compare(backend.requests, ["help"])
        verify(child("problemMessage").visible)
        keyClick(Qt.Key_Escape)
        tryVerify(function () {
            return findChild(window, "helpDialog") === null
        }, 3000, "the help stays")
        backend.helpPage = ""
    }

    function test_failedRequestIsSaid() {
        backend.failRequest("The name is not activatable")
        verify(child("problemMessage").visible)
        compare(child("problemMessage").text, "The scheduler service did not carry out a request: The name is not activatable")
    }

    // Every way of closing asks about unsaved edits; Cancel keeps all.
    function test_closeWithEditsAsks_data() {
        return [
            {tag: "Close button", how: "button"},
            {tag: "title bar", how: "window"},
            {tag: "keyboard", how: "key"},
            {tag: "Escape", how: "escape"}
        ]
    }

    function test_closeWithEditsAsks(data) {
        makeEdit()
        if (data.how === "button") {
            mouseClick(child("closeBox").standardButton(DialogButtonBox.Close))
        } else if (data.how === "window") {
            window.close()
        } else if (data.how === "key") {
            keyClick(Qt.Key_Q, Qt.ControlModifier)
        } else {
            child("presetList").forceActiveFocus()
            keyClick(Qt.Key_Escape)
        }
        answer("applyMessage", Dialog.Cancel)
        verify(window.visible)
        verify(child("settings").hasChanges)
    }

    // Last: the window closes once the applied edits have been answered.
    function test_zzCloseAppliesAndWaitsForTheAnswer() {
        makeEdit()
        backend.pendingRequests = 1
        window.close()
        answer("applyMessage", Dialog.Apply)
        compare(backend.requests, ["save"])
        wait(50)
        verify(window.visible)
        backend.report(backend.lastSaved)
        backend.pendingRequests = 0
        tryCompare(window, "visible", false)
    }
}
