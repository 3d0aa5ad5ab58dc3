// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import zel.scheduler 1.0

// The window started with LANG=ru_RU.UTF-8 speaks Russian: its own texts,
// the shared ones (action names, when a preset acts), Qt's standard
// buttons, plural forms and dates. Run by ctest as part of qmltest-ru.
ZelTestCase {
    id: testCase
    name: "Russian"

    property var window: null
    readonly property var model: backend.presetsModel
    readonly property int minute: 60000

    function child(name) {
        var found = findChild(window, name)
        verify(found, "no item " + name)
        return found
    }

    readonly property bool inRussian: Qt.locale().name === "ru_RU"

    // The English run of all the files skips these.
    function init() {
        if (!inRussian) {
            skip("for a run with ZEL_TEST_LANG=ru_RU.UTF-8")
        }
    }

    function initTestCase() {
        if (!inRussian) {
            return
        }
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
    }

    function cleanupTestCase() {
        if (window) {
            window.destroy()
        }
    }

    function test_windowTexts() {
        compare(window.title, "Планировщик")
        compare(child("presetsHeading").text, "Управление заданиями")
        compare(child("addButton").text, "Добавить задание")
        // Qt's own catalogue names the standard buttons.
        compare(child("helpBox").standardButton(DialogButtonBox.Help).text, "Справка")
        compare(child("closeBox").standardButton(DialogButtonBox.Close).text, "Закрыть")
        var chooser = child("actionChooser")
        compare([chooser.textAt(0), chooser.textAt(2), chooser.textAt(4), chooser.textAt(7)],
                ["Выключить", "Ждущий режим", "Сменить пользователя", "Завершить сеанс"])
    }

    // A title the window made up in English is made up anew in Russian; a
    // name of the user's stays as it is.
    function test_rows() {
        backend.setPresets([{
                "preset_id": "{00000000-0000-0000-0000-000000000001}",
                "preset_name": "Shut Down 0:20",
                "preset_type": PresetType.Timer,
                "action_type": ActionType.Shutdown,
                "preset_running": true,
                "timer": {"timeout": 20 * minute, "notify": 0, "remainingTime": 10 * minute}
            }, {
                "preset_id": "{00000000-0000-0000-0000-000000000002}",
                "preset_name": "Обед",
                "preset_type": PresetType.Range,
                "action_type": ActionType.Lock,
                "interval": {"start": 12 * 60 * minute, "end": 13 * 60 * minute, "regularity": 5 * minute}
            }])
        var list = child("presetList")
        tryVerify(function () {
            return list.itemAtIndex(1) !== null
        })
        var countdown = list.itemAtIndex(0)
        compare(countdown.label, "Выключить 00:10:00")
        // Ten minutes before midnight the end is tomorrow's.
        verify(/^Сработает (завтра )?в \d\d:\d\d$/.test(countdown.status), countdown.status)
        compare(countdown.Accessible.name, "Выключить, обратный отсчёт, ещё 10 минут, запущено")
        var window = list.itemAtIndex(1)
        compare(window.label, "Обед")
        compare(window.status, "Остановлено")
        compare(window.Accessible.name, "Обед, ежедневный интервал, каждые 5 минут с 12:00 до 13:00, остановлено")
        model.select(1)
        compare(child("windowSummary").text, "каждые 5 минут с 12:00 до 13:00")
    }

    // lrelease keeps the three Russian plural forms.
    function test_pluralForms_data() {
        return [
            {tag: "1", n: 1, window: "Удалить 1 задание?", common: "каждый 1 день"},
            {tag: "2", n: 2, window: "Удалить 2 задания?", common: "каждые 2 дня"},
            {tag: "5", n: 5, window: "Удалить 5 заданий?", common: "каждые 5 дней"},
            {tag: "11", n: 11, window: "Удалить 11 заданий?", common: "каждые 11 дней"},
            {tag: "21", n: 21, window: "Удалить 21 задание?", common: "каждый 21 день"},
            {tag: "23", n: 23, window: "Удалить 23 задания?", common: "каждые 23 дня"}
        ]
    }

    function test_pluralForms(data) {
        compare(qsTranslate("main", "Remove %n presets?", "", data.n), data.window)
        compare(qsTranslate("PresetText", "every %n days", "", data.n), data.common)
    }

    // The forms the editor fixes stay; the month's name follows the locale.
    function test_dates() {
        var date = child("startDate")
        date.setDate(new Date(2024, 2, 5, 14, 30).getTime())
        compare(date.getDateStr(), "05 марта 2024")
        compare(date.getShortDateStr(), "05.03.24")
    }

    // The repeat dialog's sentences put the number fields where Russian
    // wants them, in the form the number asks for.
    function test_repeatSentences() {
        var scheduleStart = new Date(2030, 0, 1, 8, 0).getTime()
        backend.setPresets([{
                "preset_id": "{00000000-0000-0000-0000-000000000003}",
                "preset_name": "",
                "preset_type": PresetType.Scheduled,
                "action_type": ActionType.Reboot,
                "schedule": {"start": scheduleStart, "end": scheduleStart, "notify": 0, "repeat_settings": {
                        "repeat_settings_type": RepeatType.Custom, "repeat_settings_custom_type": RepeatCustomType.Weeks,
                        "repeat_settings_count": 2, "repeat_settings_selected": [1, 3]}}
            }])
        model.select(0)
        compare(child("repeatSummary").text, "каждые 2 недели: пн и ср")
        var dialog = child("schedulerEditor").openRepeatDialog()
        tryCompare(dialog, "opened", true)
        compare(findChild(dialog.contentItem, "daysChoice").text, "Каждый")
        compare(findChild(dialog.contentItem, "weeksChoice").text, "Каждые")
        findChild(dialog.contentItem, "weeksCount").value = 5
        compare(findChild(dialog.contentItem, "weeksChoice").text, "Каждые")
        findChild(dialog.contentItem, "weeksCount").value = 1
        compare(findChild(dialog.contentItem, "weeksChoice").text, "Каждую")
        dialog.reject()
    }
}
