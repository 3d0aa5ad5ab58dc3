// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import zel.scheduler 1.0

// The editor of the current preset, inside the real window, over the
// client's models, with the test playing the service through the fake
// backend. The time zone is Europe/Berlin (see qmltestmain.cpp).
ZelTestCase {
    id: testCase
    name: "Editor"

    property var window: null
    readonly property var model: backend.presetsModel

    readonly property int minute: 60000
    readonly property int hour: 3600000
    readonly property string timerId: "{11111111-1111-1111-1111-111111111111}"
    readonly property string scheduleId: "{22222222-2222-2222-2222-222222222222}"
    readonly property string rangeId: "{33333333-3333-3333-3333-333333333333}"

    function timerPreset(timeout, notify, action) {
        return {
            "preset_id": timerId,
            "preset_name": "Timer preset",
            "preset_type": PresetType.Timer,
            "action_type": action === undefined ? ActionType.Reboot : action,
            "preset_force": false,
            "preset_running": false,
            "preset_paused": false,
            "timer": {"timeout": timeout, "notify": notify, "remainingTime": timeout},
            "schedule": {"start": 0, "end": 0, "notify": 0, "repeat_settings": {
                    "repeat_settings_type": RepeatType.Never, "repeat_settings_custom_type": RepeatCustomType.Days,
                    "repeat_settings_count": 1, "repeat_settings_selected": []}},
            "interval": {"start": 0, "end": 0, "regularity": 5000}
        }
    }

    function schedulePreset(start, end, repeat, notify) {
        var preset = timerPreset(0, 0, ActionType.Shutdown)
        preset.preset_id = scheduleId
        preset.preset_name = "Schedule preset"
        preset.preset_type = PresetType.Scheduled
        preset.schedule = {"start": start, "end": end, "notify": notify || 0, "repeat_settings": repeat}
        return preset
    }

    function rangePreset(start, end, regularity) {
        var preset = timerPreset(0, 0, ActionType.Lock)
        preset.preset_id = rangeId
        preset.preset_name = "Range preset"
        preset.preset_type = PresetType.Range
        preset.interval = {"start": start, "end": end, "regularity": regularity}
        return preset
    }

    function repeat(type, customType, count, selected) {
        return {
            "repeat_settings_type": type,
            "repeat_settings_custom_type": customType,
            "repeat_settings_count": count,
            "repeat_settings_selected": selected
        }
    }

    function child(name) {
        var found = findChild(window, name)
        verify(found, "no item " + name)
        return found
    }

    function load(presets) {
        model.select(-1)
        backend.setPresets(presets)
        backend.clearRequests()
    }

    function settings() {
        return child("settings")
    }

    function content() {
        return child("settingsContent")
    }

    function notifyBox() {
        return child("notification")
    }

    function dialogChild(dialog, name) {
        var found = findChild(dialog.contentItem, name)
        verify(found, "no item " + name + " in the dialog")
        return found
    }

    // Dialogs of an earlier test are gone once their closing has finished.
    function init() {
        tryVerify(function () {
            return findChild(window, "notificationsDialog") === null && findChild(window, "repeatDialog") === null
        }, 5000, "dialogs left open")
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

    function test_timerTitleAndAppliedObject() {
        var preset = timerPreset(90 * minute, 5 * minute)
        preset.preset_running = true
        preset.preset_name = "Reboot 0:45"
        load([preset])
        compare(settings().title, "Reboot 1:30")
        verify(!settings().hasChanges)
        settings().admit()
        compare(backend.requests, ["save"])
        var saved = backend.lastSaved
        compare(saved.preset_id, timerId)
        // A name made up from the action and the time is made up anew.
        compare(saved.preset_name, "Reboot 1:30")
        compare(saved.action_type, ActionType.Reboot)
        compare(saved.preset_type, PresetType.Timer)
        // A new countdown: the service fills the remaining time.
        compare(saved.timer, {"timeout": 90 * minute, "notify": 5 * minute, "remainingTime": 0})
        // Keys that the editor does not set are kept.
        compare(saved.preset_running, true)
        compare(saved.interval.regularity, 5000)
    }

    function test_timerTitleOfZeroDuration() {
        load([timerPreset(0, 0, ActionType.Shutdown)])
        compare(settings().title, "Shut Down 0:00")
        load([timerPreset(2 * hour + 5 * minute, 0, ActionType.Lock)])
        compare(settings().title, "Lock 2:05")
    }

    function test_timerWithSecondsIsKept() {
        // 20 s cannot be shown in hours and minutes: it is no edit, and
        // applying another edit keeps it.
        load([timerPreset(20000, 10000)])
        verify(!settings().hasChanges)
        compare(notifyBox().displayText, "10 s")
        compare(child("timerExact").text, "Set to 20 s")
        child("actionChooser").currentIndex = 0
        verify(settings().hasChanges)
        settings().admit()
        compare(backend.lastSaved.timer, {"timeout": 20000, "notify": 10000, "remainingTime": 0})
        compare(backend.lastSaved.action_type, ActionType.Shutdown)
        // A change of the fields replaces it.
        child("timerMinutes").increase()
        settings().admit()
        compare(backend.lastSaved.timer.timeout, minute)
        verify(!child("timerExact").visible)
    }

    function test_scheduleTitleAndAppliedObject() {
        var start = new Date(2030, 2, 5, 14, 30).getTime()
        var end = new Date(2030, 2, 6, 8, 0).getTime()
        load([schedulePreset(start, end, repeat(RepeatType.EveryWeek, RepeatCustomType.Days, 1, []), hour)])
        compare(settings().title, "Shut Down 05.03.30 14:30 - 06.03.30 08:00")
        compare(child("repeat").currentText, "Every Week")
        compare(notifyBox().currentText, "1 Hour Before")
        verify(!settings().hasChanges)
        settings().admit()
        var saved = backend.lastSaved
        compare(saved.preset_id, scheduleId)
        // A name of the user's own stays.
        compare(saved.preset_name, "Schedule preset")
        compare(saved.preset_type, PresetType.Scheduled)
        compare(saved.schedule, {
            "start": start,
            "end": end,
            "notify": hour,
            "repeat_settings": repeat(RepeatType.EveryWeek, RepeatCustomType.Days, 1, [])
        })
    }

    function test_scheduleWithoutStartShowsNow() {
        var before = new Date()
        load([schedulePreset(0, 0, repeat(RepeatType.Never, RepeatCustomType.Days, 1, []))])
        var after = new Date()
        var today = after.toLocaleDateString(Qt.locale(), "dd.MM.yy")
        compare(child("startDate").getShortDateStr(), today)
        compare(child("endDate").getShortDateStr(), today)
        var scheduler = child("schedulerEditor")
        // The current whole minute: what is shown is what runs.
        verify(scheduler.start >= before.getTime() - minute && scheduler.start <= after.getTime(),
               "start " + scheduler.start + " is not now")
        compare(scheduler.start % minute, 0)
        verify(!settings().hasChanges)
    }

    function test_rangeTitleAndAppliedObject() {
        load([rangePreset(12 * hour, 13 * hour + 30 * minute, 300000)])
        compare(settings().title, "Lock 12:00 - 13:30")
        compare(child("regularity").currentText, "Every 5 Minutes")
        verify(!notifyBox().visible)
        verify(!settings().hasChanges)
        settings().admit()
        var saved = backend.lastSaved
        compare(saved.preset_type, PresetType.Range)
        compare(saved.preset_name, "Range preset")
        compare(saved.interval, {"start": 12 * hour, "end": 13 * hour + 30 * minute, "regularity": 300000})
    }

    function test_rangeWithUnknownRegularity() {
        // A period that is not in the list shows the first entry and is not
        // counted as an edit.
        load([rangePreset(0, hour, 5000)])
        compare(child("regularity").currentText, "Every Minute")
        verify(!settings().hasChanges)
    }

    function test_changingKindAppliesTheNewKind() {
        var preset = timerPreset(30 * minute, 0)
        preset.preset_name = "Перезагрузить 0:30"
        load([preset])
        var apply = child("applyBox").standardButton(DialogButtonBox.Apply)
        var reset = child("resetBox").standardButton(DialogButtonBox.Reset)
        verify(!apply.enabled)
        verify(!reset.enabled)
        mouseClick(child("rangeChoice"))
        verify(settings().hasChanges)
        verify(reset.enabled)
        compare(settings().title, "Reboot 00:00 - 00:00")
        // 00:00 to 00:00 is the whole day; another window that starts when it
        // ends is refused.
        verify(apply.enabled)
        child("rangeStart").value = hour
        child("rangeEnd").value = hour
        verify(!apply.enabled)
        child("rangeStart").value = 0
        verify(apply.enabled)
        mouseClick(apply)
        var saved = backend.lastSaved
        compare(saved.preset_type, PresetType.Range)
        compare(saved.preset_name, "Reboot 00:00 - 01:00")
        compare(saved.interval, {"start": 0, "end": hour, "regularity": 60000})
        // The timer's settings go along untouched.
        compare(saved.timer, {"timeout": 30 * minute, "notify": 0, "remainingTime": 30 * minute})
    }

    function test_actionChangedAndBackHasNoChanges() {
        load([timerPreset(30 * minute, 0, ActionType.Lock)])
        var chooser = child("actionChooser")
        compare(chooser.currentIndex, 6)
        chooser.forceActiveFocus()
        keyClick(Qt.Key_Down)
        compare(chooser.currentIndex, 7)
        verify(settings().hasChanges)
        compare(settings().title, "Log Out 0:30")
        keyClick(Qt.Key_Up)
        compare(chooser.currentIndex, 6)
        verify(!settings().hasChanges)
    }

    function test_disabledActionCannotBeChosenByKeyboard() {
        backend.setAvailability([{"action_type": ActionType.Sleep, "available": false, "route": "logind", "can": "na"}])
        load([timerPreset(30 * minute, 0, ActionType.Reboot)])
        var chooser = child("actionChooser")
        chooser.forceActiveFocus()
        keyClick(Qt.Key_Down)
        compare(chooser.currentIndex, 1)
        verify(!child("actionProblem").visible)
        backend.setAvailability([])
    }

    // A stored preset keeps an action the desktop cannot carry out, and the
    // editor says why; once the service offers it, the warning goes.
    function test_unavailableStoredActionWarns() {
        backend.setAvailability([{"action_type": ActionType.Lock, "available": false, "route": ""}])
        load([timerPreset(30 * minute, 0, ActionType.Lock)])
        var chooser = child("actionChooser")
        compare(chooser.currentValue, ActionType.Lock)
        verify(!settings().hasChanges)
        var problem = child("actionProblem")
        verify(problem.visible)
        compare(problem.text, "Lock cannot be carried out here: not available on this desktop")
        backend.setAvailability([])
        verify(!problem.visible)
        compare(chooser.currentValue, ActionType.Lock)
    }

    // Turn On is offered with schedules only; a countdown of one (stored by
    // an older client) is refused, with the reason.
    function test_turnOnOnlyWithSchedules() {
        load([timerPreset(30 * minute, 0, ActionType.TurnOn)])
        var chooser = child("actionChooser")
        var turnOn = chooser.indexOfValue(ActionType.TurnOn)
        compare(chooser.currentIndex, turnOn)
        verify(!chooser.isRowEnabled(turnOn))
        compare(child("timerProblem").text, "Turn On needs a date and time: make it a schedule.")
        verify(!settings().isValid)
        mouseClick(child("scheduleChoice"))
        verify(chooser.isRowEnabled(turnOn))
        verify(settings().neverActs.reason.indexOf("Turn On") < 0)
        mouseClick(child("rangeChoice"))
        verify(!chooser.isRowEnabled(turnOn))
    }

    function test_resetReloads() {
        load([timerPreset(30 * minute, 0)])
        var hours = child("timerHours")
        hours.increase()
        verify(settings().hasChanges)
        settings().clear()
        compare(hours.value, 0)
        verify(!settings().hasChanges)
    }

    // Reports of the preset being edited never drop the edits.
    function test_reportsKeepEdits() {
        load([timerPreset(30 * minute, 0)])
        var message = child("changedElsewhereMessage")
        child("timerHours").increase()
        // A countdown tick changes nothing the user can edit.
        var tick = timerPreset(30 * minute, 0)
        tick.preset_running = true
        tick.timer.remainingTime = 29 * minute
        backend.report(tick)
        verify(settings().hasChanges)
        compare(child("timerHours").value, 1)
        verify(!message.visible)
        // A change made elsewhere is said, and the edits stay.
        backend.report(timerPreset(45 * minute, 0))
        verify(settings().hasChanges)
        compare(child("timerHours").value, 1)
        verify(message.visible)
        // Applying them: the service's answer holds the edits.
        settings().admit()
        backend.report(backend.lastSaved)
        verify(!settings().hasChanges)
        verify(!message.visible)
        compare(content().timer.time, hour + 30 * minute)
    }

    function test_reloadTakesTheOtherChanges() {
        load([timerPreset(30 * minute, 0)])
        child("timerHours").increase()
        backend.report(timerPreset(45 * minute, 0))
        var message = child("changedElsewhereMessage")
        verify(message.visible)
        message.actions[0].trigger()
        verify(!message.visible)
        verify(!settings().hasChanges)
        compare(content().timer.time, 45 * minute)
        // Without edits, a change elsewhere is simply shown.
        backend.report(timerPreset(50 * minute, 0))
        compare(content().timer.time, 50 * minute)
        verify(!message.visible)
    }

    // Settings that can never act are refused, with the reason beside the
    // field.
    function test_settingsThatCanNeverAct_data() {
        var day = new Date(2030, 0, 1, 8, 0).getTime()
        var past = new Date(2020, 0, 1, 8, 0).getTime()
        var never = repeat(RepeatType.Never, RepeatCustomType.Days, 1, [])
        return [
            {tag: "countdown of zero", preset: timerPreset(0, 0), problem: "timerProblem"},
            {tag: "warning as long as the countdown", preset: timerPreset(10 * minute, 10 * minute), problem: "leadProblem"},
            {tag: "warning shorter than the countdown", preset: timerPreset(10 * minute, 5 * minute), problem: ""},
            {tag: "end before start", preset: schedulePreset(day, day - minute, never, 0), problem: "scheduleProblem"},
            {tag: "end at the start", preset: schedulePreset(day, day, never, 0), problem: ""},
            {tag: "nothing ahead", preset: schedulePreset(past, past + hour, never, 0), problem: "scheduleProblem"},
            {tag: "selected days outside the run", preset: schedulePreset(day, day + hour, repeat(RepeatType.Custom, RepeatCustomType.Weeks, 1, [5]), 0),
                problem: "scheduleProblem"},
            {tag: "empty window", preset: rangePreset(12 * hour, 12 * hour, 60000), problem: "rangeProblem"},
            {tag: "window across midnight", preset: rangePreset(23 * hour, hour, 60000), problem: ""},
            {tag: "window to midnight", preset: rangePreset(22 * hour, 0, 60000), problem: ""},
            {tag: "whole day", preset: rangePreset(0, 0, 60000), problem: ""}
        ]
    }

    function test_settingsThatCanNeverAct(data) {
        load([data.preset])
        var names = ["timerProblem", "leadProblem", "scheduleProblem", "rangeProblem"]
        for (var i = 0; i < names.length; ++i) {
            compare(child(names[i]).visible, names[i] === data.problem, names[i])
        }
        compare(settings().isValid, data.problem === "")
        // An edit of something else is still refused.
        child("actionChooser").currentIndex = 7
        verify(settings().hasChanges)
        compare(child("applyBox").standardButton(DialogButtonBox.Apply).enabled, data.problem === "")
        settings().admit()
        compare(backend.requests, data.problem === "" ? ["save"] : [])
    }

    // The day and time as the clock reads them, on the days the clocks
    // change too.
    function test_scheduleStoresTheLocalTime_data() {
        return [
            {tag: "spring forward, 10:00", date: new Date(2024, 2, 31), time: 10 * hour, utc: Date.UTC(2024, 2, 31, 8, 0)},
            {tag: "spring forward, 01:00", date: new Date(2024, 2, 31), time: hour, utc: Date.UTC(2024, 2, 31, 0, 0)},
            {tag: "spring forward, skipped 02:30", date: new Date(2024, 2, 31), time: 2 * hour + 30 * minute, utc: Date.UTC(2024, 2, 31, 1, 30)},
            {tag: "fall back, 10:00", date: new Date(2024, 9, 27), time: 10 * hour, utc: Date.UTC(2024, 9, 27, 9, 0)},
            {tag: "fall back, repeated 02:30", date: new Date(2024, 9, 27), time: 2 * hour + 30 * minute, utc: Date.UTC(2024, 9, 27, 0, 30)},
            {tag: "fall back, 00:30", date: new Date(2024, 9, 27), time: 30 * minute, utc: Date.UTC(2024, 9, 26, 22, 30)},
            {tag: "winter", date: new Date(2024, 0, 15), time: 23 * hour + 59 * minute, utc: Date.UTC(2024, 0, 15, 22, 59)}
        ]
    }

    function test_scheduleStoresTheLocalTime(data) {
        var daily = repeat(RepeatType.EveryDay, RepeatCustomType.Days, 1, [])
        load([schedulePreset(Date.UTC(2024, 5, 1, 12, 0), Date.UTC(2030, 5, 1, 12, 0), daily, 0)])
        child("startDate").selectedDate = data.date
        child("startTime").value = data.time
        compare(child("schedulerEditor").start, data.utc)
        // Loading the stored value shows the same day and time again.
        settings().admit()
        load([backend.lastSaved])
        compare(child("startTime").value, data.tag.indexOf("skipped") >= 0 ? data.time + hour : data.time)
        compare(child("startDate").getShortDateStr(), data.date.toLocaleDateString(Qt.locale(), "dd.MM.yy"))
    }

    function test_noCurrentPreset() {
        load([])
        verify(!settings().hasChanges)
        verify(!settings().enabled)
        compare(child("actionChooser").currentIndex, -1)
        settings().admit()
        compare(backend.requests, [])
    }

    // The delegate that the lead-time chooser's popup shows for an entry.
    function leadItem(index) {
        var box = notifyBox()
        box.popup.open()
        tryCompare(box.popup, "opened", true)
        var list = box.popup.contentItem
        if (list.itemAtIndex === undefined) {
            list = list.contentItem
        }
        var item = null
        tryVerify(function () {
            list.positionViewAtIndex(index, ListView.Contain)
            item = list.itemAtIndex(index)
            return item !== null
        }, 3000, "no delegate for lead time " + index)
        return item
    }

    function test_leadTimesOfTwentyMinuteTimer() {
        load([timerPreset(20 * minute, 10 * minute)])
        var box = notifyBox()
        compare(box.currentText, "10 Minutes Before")
        var expected = [true, true, true, true, false, false, false, false, false, false, true]
        for (var i = 0; i < expected.length; ++i) {
            compare(leadItem(i).enabled, expected[i], "entry " + i)
        }
        box.popup.close()
        tryCompare(box.popup, "visible", false)

        // Choosing a disabled entry with the keyboard goes back to the lead
        // time that was loaded.
        box.forceActiveFocus()
        keyClick(Qt.Key_Down)
        compare(box.currentText, "15 Minutes Before")
        keyClick(Qt.Key_Down)
        compare(box.currentText, "10 Minutes Before")
        compare(content().notify, 10 * minute)
    }

    function test_scheduleEnablesAllLeadTimes() {
        load([schedulePreset(new Date(2030, 0, 1, 8, 0).getTime(), new Date(2030, 0, 1, 9, 0).getTime(),
                             repeat(RepeatType.Never, 0, 1, []), 0)])
        for (var i = 0; i < 11; ++i) {
            verify(leadItem(i).enabled, "entry " + i)
        }
        notifyBox().popup.close()
    }

    function chooseCustomLead() {
        var box = notifyBox()
        box.forceActiveFocus()
        keyClick(Qt.Key_End)
        compare(box.currentIndex, 10)
        var dialog = findChild(content(), "notificationsDialog")
        verify(dialog, "the custom lead time dialog did not open")
        tryCompare(dialog, "opened", true)
        return dialog
    }

    function test_customLeadTime() {
        load([timerPreset(3 * hour, 0)])
        var dialog = chooseCustomLead()
        // The largest lead is the timer's duration.
        compare(dialogChild(dialog, "leadHours").to, 3)
        dialogChild(dialog, "leadHours").value = 1
        dialogChild(dialog, "leadMinutes").value = 30
        dialog.accept()
        compare(notifyBox().displayText, "01:30")
        compare(content().notify, hour + 30 * minute)
        verify(settings().hasChanges)
        settings().admit()
        compare(backend.lastSaved.timer.notify, hour + 30 * minute)
    }

    function test_customLeadCancelled() {
        load([timerPreset(3 * hour, 15 * minute)])
        var dialog = chooseCustomLead()
        compare(dialogChild(dialog, "leadMinutes").value, 15)
        dialog.reject()
        compare(notifyBox().currentText, "15 Minutes Before")
        verify(!settings().hasChanges)
    }

    function test_customLeadMatchingAnEntrySelectsItOnReload() {
        load([timerPreset(3 * hour, 0)])
        var dialog = chooseCustomLead()
        dialogChild(dialog, "leadHours").value = 0
        dialogChild(dialog, "leadMinutes").value = 5
        dialog.accept()
        compare(notifyBox().displayText, "00:05")
        settings().admit()
        // The service sends the stored preset back.
        backend.report(backend.lastSaved)
        compare(notifyBox().currentIndex, 1)
        compare(notifyBox().displayText, "5 Minutes Before")
        verify(!settings().hasChanges)
    }

    function test_storedCustomLeadShowsHoursAndMinutes() {
        load([schedulePreset(new Date(2030, 0, 1, 8, 0).getTime(), new Date(2030, 0, 1, 9, 0).getTime(),
                             repeat(RepeatType.Never, 0, 1, []), 26 * hour + 7 * minute)])
        compare(notifyBox().currentIndex, 10)
        compare(notifyBox().displayText, "26:07")
    }

    function openRepeatDialog() {
        var box = child("repeat")
        box.forceActiveFocus()
        keyClick(Qt.Key_End)
        compare(box.currentText, "Custom")
        var dialog = findChild(child("schedulerEditor"), "repeatDialog")
        verify(dialog, "the repeat dialog did not open")
        tryCompare(dialog, "opened", true)
        return dialog
    }

    function test_repeatDialogWeekdays() {
        var start = new Date(2030, 0, 1, 8, 0).getTime()
        load([schedulePreset(start, start + 30 * 24 * hour, repeat(RepeatType.EveryDay, RepeatCustomType.Days, 1, []), 0)])
        var dialog = openRepeatDialog()
        verify(dialogChild(dialog, "daysChoice").checked)
        verify(!dialogChild(dialog, "weekday1").enabled)
        mouseClick(dialogChild(dialog, "weeksChoice"))
        verify(dialogChild(dialog, "weekday1").enabled)
        verify(!dialogChild(dialog, "monthDay1").enabled)
        mouseClick(dialogChild(dialog, "weekday5"))
        mouseClick(dialogChild(dialog, "weekday1"))
        dialogChild(dialog, "weeksCount").value = 2
        dialog.accept()
        compare(child("schedulerEditor").repeatSettings,
                repeat(RepeatType.Custom, RepeatCustomType.Weeks, 2, [1, 5]))
        verify(settings().hasChanges)
        settings().admit()
        compare(backend.lastSaved.schedule.repeat_settings, repeat(RepeatType.Custom, RepeatCustomType.Weeks, 2, [1, 5]))
    }

    function test_repeatDialogOpensWithTheRule() {
        var start = new Date(2030, 0, 1, 8, 0).getTime()
        load([schedulePreset(start, start + hour, repeat(RepeatType.Custom, RepeatCustomType.Monthes, 3, [2, 31]), 0)])
        compare(child("repeat").currentText, "Custom")
        var dialog = child("schedulerEditor").openRepeatDialog()
        tryCompare(dialog, "opened", true)
        verify(dialogChild(dialog, "monthsChoice").checked)
        compare(dialogChild(dialog, "monthsCount").value, 3)
        verify(dialogChild(dialog, "monthDay2").checked)
        verify(dialogChild(dialog, "monthDay31").checked)
        verify(!dialogChild(dialog, "monthDay1").checked)
        // The days not every month has say where the preset acts then.
        compare(dialogChild(dialog, "monthDay30").ToolTip.text, "In a month without day 30, the preset acts on the month's last day.")
        // OK with the same rule is still an edit: the dialog hands back a
        // new selection.
        verify(!settings().hasChanges)
        dialog.accept()
        compare(child("schedulerEditor").repeatSettings,
                repeat(RepeatType.Custom, RepeatCustomType.Monthes, 3, [2, 31]))
        verify(settings().hasChanges)
    }

    function test_repeatDialogCancelRestoresTheRule() {
        var start = new Date(2030, 0, 1, 8, 0).getTime()
        load([schedulePreset(start, start + hour, repeat(RepeatType.EveryMonth, RepeatCustomType.Days, 1, []), 0)])
        var dialog = openRepeatDialog()
        dialog.reject()
        compare(child("repeat").currentText, "Every Month")
        verify(!settings().hasChanges)
    }

    // Custom opens on the rule in force, in the dialog's terms.
    function test_customOpensOnTheRuleInForce_data() {
        return [
            {tag: "never", type: RepeatType.Never, choice: "daysChoice", count: "daysCount", value: 1},
            {tag: "week", type: RepeatType.EveryWeek, choice: "weeksChoice", count: "weeksCount", value: 1},
            {tag: "month", type: RepeatType.EveryMonth, choice: "monthsChoice", count: "monthsCount", value: 1},
            {tag: "year", type: RepeatType.EveryYear, choice: "monthsChoice", count: "monthsCount", value: 12}
        ]
    }

    function test_customOpensOnTheRuleInForce(data) {
        var start = new Date(2030, 0, 1, 8, 0).getTime()
        load([schedulePreset(start, start + hour, repeat(RepeatType.Never, RepeatCustomType.Days, 1, []), 0)])
        model.select(0)
        // Chosen in the editor, not yet applied.
        var box = child("repeat")
        box.currentIndex = box.indexOfValue(data.type)
        box.activated(box.currentIndex)
        var dialog = openRepeatDialog()
        verify(dialogChild(dialog, data.choice).checked)
        compare(dialogChild(dialog, data.count).value, data.value)
        // Cancel leaves the rule chosen before.
        dialog.reject()
        compare(box.currentIndex, box.indexOfValue(data.type))
        compare(child("schedulerEditor").repeat.type, data.type)
    }

    // A new schedule ends where it starts, and follows its start, until a
    // repetition makes it endless or the user sets its end.
    function test_newScheduleEnd() {
        load([])
        child("presets").addPreset()
        mouseClick(child("scheduleChoice"))
        var editor = child("schedulerEditor")
        compare(child("repeat").currentText, "Never")
        verify(!child("noEnd").checked)
        compare(editor.end, editor.start)
        child("startTime").increase()
        compare(editor.end, editor.start)
        verify(settings().isValid)
        var box = child("repeat")
        box.currentIndex = box.indexOfValue(RepeatType.EveryWeek)
        box.activated(box.currentIndex)
        verify(child("noEnd").checked)
        compare(settings().edited.schedule.end, PresetForm.noEnd)
        // Once set by the user, the end stays where it was put.
        mouseClick(child("noEnd"))
        compare(editor.end, editor.start)
        child("endTime").increase()
        var end = editor.end
        child("startTime").increase()
        compare(editor.end, end)
        box.currentIndex = box.indexOfValue(RepeatType.Never)
        box.activated(box.currentIndex)
        verify(!child("noEnd").checked)
        model.selectAll()
        model.removeSelected()
        // A stored schedule without an end shows so.
        var start = new Date(2030, 0, 1, 8, 0).getTime()
        load([schedulePreset(start, PresetForm.noEnd, repeat(RepeatType.EveryDay, RepeatCustomType.Days, 1, []), 0)])
        model.select(0)
        verify(child("noEnd").checked)
        verify(!child("endTime").enabled)
        verify(!settings().hasChanges)
    }

    // Any whole number of minutes, as the command line takes.
    function test_rangeOtherPeriod() {
        load([rangePreset(12 * hour, 13 * hour, 45 * minute)])
        model.select(0)
        compare(child("regularity").currentText, "Other")
        compare(child("regularityMinutes").value, 45)
        verify(!settings().hasChanges)
        child("regularityMinutes").value = 7
        settings().admit()
        compare(backend.lastSaved.interval.regularity, 7 * minute)
    }
}
