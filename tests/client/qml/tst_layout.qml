// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Templates 2.15 as T
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import QtTest 1.2
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// The window at its least size, in the language, font size and scale the
// run has, with every editor and dialog: no text is cut, no control is
// squeezed below its size, no icon is missing, and every control has a name
// for screen readers (icon-only ones a tool tip as well). Leaves
// screenshots in the build tree's test-artifacts/.
ZelTestCase {
    id: testCase
    name: "Layout"

    property var window: null
    readonly property var model: backend.presetsModel
    readonly property int minute: 60000
    readonly property int hour: 3600000

    // A running countdown, a running weekly schedule, a running daily
    // window and a paused countdown.
    function presets() {
        var now = new Date()
        var monday = new Date(now.getFullYear(), now.getMonth(), now.getDate() - (now.getDay() + 6) % 7, 22, 0)
        return [{
                "preset_id": "{00000000-0000-0000-0000-000000000001}",
                "preset_name": "Shut Down 1:30",
                "preset_type": PresetType.Timer,
                "action_type": ActionType.Shutdown,
                "preset_running": true,
                "timer": {"timeout": 90 * minute, "notify": 10 * minute, "remainingTime": 72 * minute}
            }, {
                "preset_id": "{00000000-0000-0000-0000-000000000002}",
                "preset_name": "Reboot",
                "preset_type": PresetType.Scheduled,
                "action_type": ActionType.Reboot,
                "preset_running": true,
                "schedule": {"start": monday.getTime(), "end": monday.getTime() + 365 * 24 * hour, "notify": 15 * minute,
                    "repeat_settings": {"repeat_settings_type": RepeatType.Custom, "repeat_settings_custom_type": RepeatCustomType.Weeks,
                        "repeat_settings_count": 1, "repeat_settings_selected": [1, 3, 5]}}
            }, {
                "preset_id": "{00000000-0000-0000-0000-000000000003}",
                "preset_name": "Lock 12:00 - 13:00",
                "preset_type": PresetType.Range,
                "action_type": ActionType.Lock,
                "preset_running": true,
                "interval": {"start": 12 * hour, "end": 13 * hour, "regularity": 10 * minute}
            }, {
                "preset_id": "{00000000-0000-0000-0000-000000000004}",
                "preset_name": "",
                "preset_type": PresetType.Timer,
                "action_type": ActionType.NewSessionNewWindow,
                "preset_paused": true,
                "timer": {"timeout": 45 * minute, "notify": 0, "remainingTime": 30 * minute}
            }]
    }

    // The rows end their texts in "…" when the list is narrow: the whole
    // text is what the row reads aloud, and its tool tip.
    readonly property var mayElide: ["presetRow", "presetName", "presetStatus"]

    function describe(item) {
        var text = item.text !== undefined ? " “" + item.text + "”" : ""
        return (item.objectName || String(item).split("(")[0]) + text
    }

    function isA(item, type) {
        return item instanceof type
    }

    // What is wrong with the items shown, as lines of text.
    function problems() {
        var found = []
        var visit = function (item) {
            if (!item || !item.visible || item.opacity === 0) {
                return
            }
            var name = describe(item)
            if (item.truncated === true && mayElide.indexOf(item.objectName) < 0) {
                found.push("cut: " + name)
            }
            // What scrolls may be smaller than its content.
            var scrolls = isA(item, T.ScrollView) || isA(item, T.ScrollBar)
            if (isA(item, T.Control) && !scrolls && item.width > 0 && mayElide.indexOf(item.objectName) < 0) {
                // A button may be narrower than the style's least width for
                // buttons, not than its content.
                var needed = isA(item, T.AbstractButton) ? item.implicitContentWidth + item.leftPadding + item.rightPadding : item.implicitWidth
                if (item.width + 0.5 < needed || item.height + 0.5 < item.implicitHeight) {
                    found.push("squeezed: " + name + " " + item.width + "×" + item.height + " < " + needed + "×" + item.implicitHeight)
                }
            }
            if ((isA(item, T.TextField) || isA(item, TextInput)) && item.contentWidth > item.width - (item.leftPadding || 0) - (item.rightPadding || 0) + 1) {
                found.push("text wider than its field: " + name)
            }
            var interactive = isA(item, T.AbstractButton) || isA(item, T.ComboBox) || isA(item, T.SpinBox) || (isA(item, ListView) && item.activeFocusOnTab)
                    || (isA(item, T.TextField) && !isA(item.parent, T.SpinBox))
            if (interactive && item.enabled) {
                var accessibleName = item.Accessible.name || (isA(item, T.AbstractButton) ? item.text : "")
                if (!accessibleName) {
                    found.push("no accessible name: " + name)
                }
                if (isA(item, T.AbstractButton) && item.display === AbstractButton.IconOnly && !item.ToolTip.text) {
                    found.push("no tool tip: " + name)
                }
            }
            if (isA(item, Kirigami.Icon) && item.source !== "" && !item.valid) {
                found.push("icon not found: " + item.source)
            }
            for (var i = 0; i < item.children.length; ++i) {
                visit(item.children[i])
            }
        }
        visit(window.contentItem.parent)
        return found
    }

    // Once the window has drawn what the test changed: the layouts have
    // settled by then (animations take no time in the tests).
    function settled() {
        for (var pass = 0; pass < 2; ++pass) {
            // The window's least size follows the layouts a turn later.
            wait(0)
            window.update()
            verify(waitForRendering(window.contentItem, 5000), "the window is not drawn")
        }
    }

    function checkAll(what) {
        settled()
        var found = problems()
        verify(found.length === 0, what + ":\n" + found.join("\n"))
    }

    function shoot(name) {
        settled()
        verify(screenshots.save(window, artifactsDir + "/" + name + screenshotTag + ".png"))
    }

    function atLeastSize() {
        window.width = window.minimumWidth
        window.height = window.minimumHeight
        tryCompare(window, "width", window.minimumWidth)
    }

    // The room the content asks for: the window scrolls when smaller.
    function neededSize() {
        window.width = window.neededWidth
        window.height = window.neededHeight
        tryCompare(window, "width", window.neededWidth)
    }

    function initTestCase() {
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
        window.requestActivate()
        tryCompare(window, "active", true)
        backend.setPresets(presets())
        // The least size holds the widest editor, whichever is shown.
        for (var row = 0; row < 3; ++row) {
            model.select(row)
            wait(0)
            verify(window.width >= window.minimumWidth)
        }
    }

    // Dialogs and lists left open by a failure go.
    function cleanup() {
        var names = ["repeatDialog", "datePicker", "notificationsDialog"]
        for (var i = 0; i < names.length; ++i) {
            var dialog = findChild(window, names[i])
            if (dialog) {
                dialog.reject()
            }
        }
        findChild(window, "actionChooser").popup.close()
        tryVerify(function () {
            return names.every(function (name) {
                return findChild(window, name) === null
            })
        }, 5000, "dialogs stay open")
    }

    function cleanupTestCase() {
        window.destroy()
    }

    function test_editors_data() {
        return [{tag: "countdown", row: 0, last: "notification"}, {tag: "schedule", row: 1, last: "notification"},
                {tag: "window", row: 2, last: "regularity"}]
    }

    function test_editors(data) {
        model.select(data.row)
        atLeastSize()
        checkAll(data.tag)
        // The window fits a screen of 1280×720 pixels with a title bar and
        // a panel, whatever the font, scale and language: its content
        // scrolls instead.
        var scale = window.Screen.devicePixelRatio
        verify(window.minimumWidth * scale <= 1280 && window.minimumHeight * scale <= 720 - 80,
               window.minimumWidth + "×" + window.minimumHeight + " at a scale of " + scale)
        // Every control is there to be scrolled to, and is when it takes
        // the focus.
        var scroller = findChild(window, "contentScroller")
        verify(scroller.contentWidth >= window.neededWidth - 2 * window.padding)
        findChild(window, "presetList").forceActiveFocus(Qt.TabFocusReason)
        var field = findChild(window, data.last)
        field.forceActiveFocus(Qt.TabFocusReason)
        var place = field.mapToItem(scroller, 0, 0)
        verify(place.x >= 0 && place.y >= 0 && place.x + field.width <= scroller.width + 0.5 && place.y + field.height <= scroller.height + 0.5,
               data.last + " out of sight at " + place.x + "," + place.y)
        scroller.contentX = 0
        scroller.contentY = 0
    }

    function test_dialogs_data() {
        return [
            {tag: "repeat", row: 1, editor: "schedulerEditor", open: "openRepeatDialog"},
            {tag: "date", row: 1, editor: "startDate", open: "openPicker"},
            {tag: "notification", row: 0, editor: "settingsContent", open: "openNotificationsDialog"}
        ]
    }

    function test_dialogs(data) {
        model.select(data.row)
        neededSize()
        var dialog = findChild(window, data.editor)[data.open]()
        tryCompare(dialog, "opened", true)
        // The whole dialog fits: nothing of it scrolls out of sight.
        verify(dialog.implicitHeight <= dialog.maximumHeight + 0.5, "the dialog needs " + dialog.implicitHeight + " of " + dialog.maximumHeight)
        checkAll(data.tag)
        dialog.reject()
        tryVerify(function () {
            return !dialog.visible
        })
    }

    // The visible controls and texts of container, not those inside
    // controls, with their rectangles in the window.
    function pieces(container) {
        var found = []
        var visit = function (item, top) {
            if (!item.visible || item.opacity === 0) {
                return
            }
            var leaf = isA(item, T.Control) || isA(item, Text) || isA(item, Kirigami.Icon)
            if (leaf && item.width > 0 && item.height > 0) {
                var corner = item.mapToItem(null, 0, 0)
                found.push({"name": describe(item), "left": corner.x, "top": corner.y, "right": corner.x + item.width,
                               "bottom": corner.y + item.height})
                return
            }
            for (var i = 0; i < item.children.length; ++i) {
                visit(item.children[i])
            }
        }
        visit(container)
        return found
    }

    // What overlaps, and the gaps taller than a line between rows.
    function overlapsAndGaps(container) {
        var found = []
        var all = pieces(container)
        var tallestGap = window.spacing + Kirigami.Units.gridUnit
        for (var i = 0; i < all.length; ++i) {
            var a = all[i]
            var above = -1
            for (var j = 0; j < all.length; ++j) {
                var b = all[j]
                if (j > i && a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5) {
                    found.push("overlap: " + a.name + " and " + b.name)
                }
                if (b.bottom <= a.top + 0.5) {
                    above = Math.max(above, b.bottom)
                }
            }
            if (above >= 0 && a.top - above > tallestGap) {
                found.push("gap of " + (a.top - above) + " above " + a.name)
            }
        }
        return found
    }

    // Lines that come and go reflow the editor at once: after each step
    // nothing overlaps and no row is left apart.
    function test_reflow_data() {
        var hour = testCase.hour
        return [
            {tag: "end before start", row: 1, steps: [function () {
                var editor = findChild(window, "schedulerEditor")
                findChild(window, "endDate").setDate(editor.start - 48 * hour)
            }, function () {
                findChild(window, "endDate").setDate(findChild(window, "schedulerEditor").start + 48 * hour)
            }]},
            {tag: "no end", row: 1, steps: [function () {
                findChild(window, "noEnd").toggle()
            }, function () {
                findChild(window, "noEnd").toggle()
            }]},
            {tag: "window that never acts", row: 2, steps: [function () {
                findChild(window, "rangeEnd").value = findChild(window, "rangeStart").value
            }, function () {
                findChild(window, "rangeEnd").value = findChild(window, "rangeStart").value + hour
            }]},
            {tag: "zero countdown", row: 0, steps: [function () {
                findChild(window, "timerHours").value = 0
                findChild(window, "timerMinutes").value = 0
            }, function () {
                findChild(window, "timerMinutes").value = 5
            }]}
        ]
    }

    function test_reflow(data) {
        model.select(data.row)
        atLeastSize()
        var editor = findChild(window, "settingsContent")
        for (var i = 0; i < data.steps.length; ++i) {
            data.steps[i]()
            settled()
            var found = overlapsAndGaps(editor)
            // Lines under a field use the editor's width rather than wrap
            // in a column of their own.
            var lines = ["timerProblem", "scheduleProblem", "rangeProblem", "repeatSummary", "windowSummary", "timerExact"]
            for (var k = 0; k < lines.length; ++k) {
                var line = findChild(window, lines[k])
                var room = editor.width - line.Layout.leftMargin
                if (line.visible && line.width + 1 < Math.min(line.implicitWidth, room)) {
                    found.push("narrow: " + lines[k] + " " + line.width + " of " + room)
                }
            }
            verify(found.length === 0, "step " + i + ":\n" + found.join("\n"))
        }
        findChild(window, "settings").clear()
    }

    function test_messages() {
        model.select(0)
        window.showProblem("The scheduler service did not carry out a request: a reason long enough to need a second line in a narrow window")
        backend.serviceState = Backend.NotRunning
        atLeastSize()
        checkAll("messages")
        backend.serviceState = Backend.Ready
        findChild(window, "problemMessage").actions[0].trigger()
        verify(!findChild(window, "problemMessage").visible)
    }

    function test_actionList() {
        // A row that says why it cannot be chosen fits as well.
        backend.setAvailability([{"action_type": ActionType.Hibernation, "available": false, "route": "logind", "can": "na"},
                                 {"action_type": ActionType.NewSessionNewWindow, "available": false, "route": ""}])
        var chooser = findChild(window, "actionChooser")
        chooser.popup.open()
        tryCompare(chooser.popup, "opened", true)
        checkAll("actions")
        // Every name fits the popup.
        var list = chooser.popup.contentItem.contentItem || chooser.popup.contentItem
        for (var i = 0; i < chooser.count; ++i) {
            var entry = list.itemAtIndex ? list.itemAtIndex(i) : null
            if (entry) {
                verify(entry.implicitWidth <= chooser.popup.width + 0.5, entry.text)
            }
        }
        chooser.popup.close()
        backend.setAvailability([])
    }

    // Last: the screenshots, at the window's first size on a large screen.
    function test_zzScreenshots() {
        window.width = Math.max(window.neededWidth, Kirigami.Units.gridUnit * 47)
        window.height = Math.max(window.neededHeight, Kirigami.Units.gridUnit * 24)
        model.select(1)
        shoot("window")
        var dialog = findChild(window, "schedulerEditor").openRepeatDialog()
        tryCompare(dialog, "opened", true)
        shoot("window-repeat")
        dialog.reject()
    }
}
