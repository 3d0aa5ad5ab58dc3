// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// The editor of the chosen kind of preset and the notification lead time.
ColumnLayout {
    id: main

    // The checked PresetType, -1 when none is checked.
    property int presetType: -1

    property alias timer: timerEditor
    property alias scheduler: schedulerEditor
    property alias range: rangeEditor

    // Width of the label column, shared by the whole editor.
    property real labelWidth: 0
    readonly property real labelsWidth: Math.max(timerEditor.labelsWidth, schedulerEditor.labelsWidth, rangeEditor.labelsWidth,
                                                 notifyLabel.implicitWidth)

    readonly property bool hasNotification: presetType === PresetType.Timer || presetType === PresetType.Scheduled
    readonly property int customIndex: leadTimes.count - 1
    // The lead time as loaded, and the one chosen now.
    property real savedNotify: 0
    property real customValue: -1
    readonly property real notify: leadValue(notifyBox.currentIndex)

    readonly property bool hasChanges: {
        switch (presetType) {
        case PresetType.Timer:
            return timerEditor.hasChanges || notify !== savedNotify
        case PresetType.Scheduled:
            return schedulerEditor.hasChanges || notify !== savedNotify
        case PresetType.Range:
            return rangeEditor.hasChanges
        }
        return false
    }

    // Why the edited preset could never act, empty when it can, and whether
    // its warning is at fault rather than its timing: said beside that
    // field.
    property string problem: ""
    property bool problemByWarning: false

    function leadValue(index) {
        if (index < 0) {
            return 0
        }
        return index === customIndex ? customValue : leadTimes.get(index).value
    }

    // For a timer, a lead time must be shorter than the countdown.
    function isLeadAllowed(index) {
        return presetType !== PresetType.Timer || index === customIndex || leadValue(index) < timerEditor.time
    }

    // As hh:mm, or to the second when the lead has seconds.
    function formatLead(value) {
        if (value % 60000 !== 0) {
            return PresetSummary.duration(value)
        }
        var allMinutes = Math.floor(Math.max(0, value) / 60000)
        var hours = Math.floor(allMinutes / 60)
        var minutes = allMinutes % 60
        return (hours < 10 ? "0" : "") + hours + ":" + (minutes < 10 ? "0" : "") + minutes
    }

    // Selects the first entry with this value; any other value is shown as
    // the custom entry.
    function resetNotify(value) {
        var lead = Math.trunc(Number(value) || 0)
        customValue = lead
        for (var i = 0; i < customIndex; ++i) {
            if (leadTimes.get(i).value === lead) {
                notifyBox.currentIndex = i
                return
            }
        }
        notifyBox.currentIndex = customIndex
    }

    function reset(preset) {
        preset = preset || {}
        if (preset.timer !== undefined) {
            timerEditor.reset(preset.timer.timeout)
        }
        if (preset.interval !== undefined) {
            rangeEditor.reset(preset.interval.start, preset.interval.end, preset.interval.regularity)
        }
        if (preset.schedule !== undefined) {
            schedulerEditor.reset(preset.schedule.start, preset.schedule.end, preset.schedule.repeat_settings)
        }
        var lead = 0
        if (preset.preset_type === PresetType.Timer && preset.timer !== undefined) {
            lead = Number(preset.timer.notify) || 0
        } else if (preset.preset_type === PresetType.Scheduled && preset.schedule !== undefined) {
            lead = Number(preset.schedule.notify) || 0
        }
        savedNotify = Math.trunc(lead)
        resetNotify(savedNotify)
    }

    function openNotificationsDialog() {
        var component = Qt.createComponent("NotificationsDialog.qml")
        if (component.status !== Component.Ready) {
            console.warn(component.errorString())
            return null
        }
        var dialog = component.createObject(main, {
            "time": savedNotify,
            "maximum": presetType === PresetType.Timer ? timerEditor.time : -1,
            "parent": main.Overlay.overlay
        })
        dialog.activated.connect(function (time) {
            main.customValue = time
            notifyBox.currentIndex = main.customIndex
        })
        dialog.rejected.connect(function () {
            main.resetNotify(main.savedNotify)
        })
        dialog.open()
        return dialog
    }

    spacing: applicationWindow().spacing

    ListModel {
        id: leadTimes
        ListElement {
            text: qsTr("Never")
            value: 0
            separator: false
        }
        ListElement {
            text: qsTr("5 Minutes Before")
            value: 300000
            separator: false
        }
        ListElement {
            text: qsTr("10 Minutes Before")
            value: 600000
            separator: false
        }
        ListElement {
            text: qsTr("15 Minutes Before")
            value: 900000
            separator: false
        }
        ListElement {
            text: qsTr("30 Minutes Before")
            value: 1800000
            separator: false
        }
        ListElement {
            text: qsTr("1 Hour Before")
            value: 3600000
            separator: false
        }
        ListElement {
            text: qsTr("2 Hours Before")
            value: 7200000
            separator: false
        }
        ListElement {
            text: qsTr("1 Day Before")
            value: 86400000
            separator: false
        }
        ListElement {
            text: qsTr("2 Days Before")
            value: 172800000
            separator: false
        }
        ListElement {
            text: qsTr("Week Before")
            value: 604800000
            separator: true
        }
        ListElement {
            text: qsTr("Custom")
            value: -1
            separator: false
        }
    }

    // As wide as the widest editor, shown or not, so that choosing another
    // kind does not make the window grow; as high as the one shown.
    StackLayout {
        id: editors
        Layout.fillWidth: true
        Layout.preferredHeight: currentIndex >= 0 ? children[currentIndex].implicitHeight : 0
        Layout.minimumHeight: Layout.preferredHeight
        Layout.maximumHeight: Layout.preferredHeight
        // The editors in the order of the PresetType values.
        currentIndex: main.presetType >= 0 && main.presetType < count ? main.presetType : -1

        // Each as wide as the stack, whatever it holds: the stack gives an
        // editor no more than the width it could last take, which a line
        // that comes or goes changes a layout too late.
        TimerComponent {
            id: timerEditor
            objectName: "timerEditor"
            Layout.fillWidth: true
            Layout.maximumWidth: Number.POSITIVE_INFINITY
            labelWidth: main.labelWidth
            problem: main.problemByWarning ? "" : main.problem
        }
        SchedulerComponent {
            id: schedulerEditor
            objectName: "schedulerEditor"
            Layout.fillWidth: true
            Layout.maximumWidth: Number.POSITIVE_INFINITY
            labelWidth: main.labelWidth
            problem: main.problemByWarning ? "" : main.problem
        }
        RangeComponent {
            id: rangeEditor
            objectName: "rangeEditor"
            Layout.fillWidth: true
            Layout.maximumWidth: Number.POSITIVE_INFINITY
            labelWidth: main.labelWidth
            problem: main.problemByWarning ? "" : main.problem
        }
    }

    GridLayout {
        Layout.fillWidth: true
        visible: main.hasNotification
        columns: 2
        columnSpacing: main.spacing
        rowSpacing: main.spacing

        Label {
            id: notifyLabel
            Layout.preferredWidth: main.labelWidth
            horizontalAlignment: Text.AlignRight
            text: qsTr("Notification:")
        }
        Chooser {
            id: notifyBox
            objectName: "notification"
            model: leadTimes
            label: qsTr("Notification")
            displayText: currentIndex === main.customIndex ? main.formatLead(main.customValue) : currentText
            isEnabled: main.isLeadAllowed
            onActivated: function (index) {
                if (index === main.customIndex) {
                    main.openNotificationsDialog()
                } else if (!main.isLeadAllowed(index)) {
                    main.resetNotify(main.savedNotify)
                }
            }
        }
        FieldProblem {
            id: leadMessage
            objectName: "leadProblem"
            // Under the field.
            Layout.columnSpan: 2
            Layout.leftMargin: main.labelWidth + main.spacing
            Layout.fillWidth: true
            text: main.problemByWarning ? main.problem : ""
        }
    }

    Item {
        Layout.fillHeight: true
    }
}
