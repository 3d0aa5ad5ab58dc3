// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami

// A date shown as "dd MMMM yyyy"; the calendar button, or Space, Enter,
// F4 or Alt+Down in the field, opens the date picker.
Item {
    id: control

    property date selectedDate: new Date()
    property date minimumDate: new Date(1970, 0, 1)
    property date maximumDate: new Date(2077, 0, 1)
    // What the field is, for the screen reader ("Start date").
    property string accessibleName
    // The selected day at local midnight, in epoch milliseconds.
    readonly property real timestamp: {
        var day = new Date(selectedDate.getTime())
        day.setHours(0, 0, 0, 0)
        return day.getTime()
    }

    function setDate(timestamp) {
        selectedDate = new Date(timestamp)
    }

    function getShortDateStr() {
        return selectedDate.toLocaleDateString(Qt.locale(), "dd.MM.yy")
    }

    function getDateStr() {
        return selectedDate.toLocaleDateString(Qt.locale(), "dd MMMM yyyy")
    }

    function openPicker() {
        var component = Qt.createComponent("DatePickerDialog.qml")
        if (component.status !== Component.Ready) {
            console.warn(component.errorString())
            return null
        }
        var dialog = component.createObject(control, {
            "selectedDate": control.selectedDate,
            "minimumDate": control.minimumDate,
            "maximumDate": control.maximumDate,
            "parent": control.Overlay.overlay
        })
        dialog.activated.connect(function (date) {
            control.selectedDate = date
        })
        dialog.open()
        return dialog
    }

    implicitWidth: field.width
    implicitHeight: field.implicitHeight

    // The longest date the field may show, in the locale's month names: the
    // field keeps its width whatever the date, and a long name is not cut.
    function widestText() {
        var widest = 0
        var locale = Qt.locale()
        for (var month = 0; month < 12; ++month) {
            widest = Math.max(widest, metrics.advanceWidth(new Date(2000, month, 28).toLocaleDateString(locale, "dd MMMM yyyy")))
        }
        return widest
    }

    FontMetrics {
        id: metrics
        font: field.font
    }

    Kirigami.ActionTextField {
        id: field
        objectName: "dateField"
        readonly property real textWidth: control.widestText()
        width: Math.ceil(textWidth) + leftPadding + rightPadding + 2
        anchors.verticalCenter: parent.verticalCenter
        readOnly: true
        text: control.getDateStr()
        Accessible.name: control.accessibleName
        Accessible.description: qsTr("Space or Enter chooses another date")
        rightActions: Kirigami.Action {
            text: qsTr("Choose Date")
            icon.name: "calendar-symbolic"
            onTriggered: control.openPicker()
        }
        ToolTip.text: qsTr("Choose Date")
        ToolTip.visible: hovered
        ToolTip.delay: Kirigami.Units.toolTipDelay
        // The calendar button takes no focus: the keys of a combo box open
        // the calendar.
        Keys.onPressed: function (event) {
            if (event.key === Qt.Key_Space || event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_F4
                    || (event.key === Qt.Key_Down && (event.modifiers & Qt.AltModifier))) {
                control.openPicker()
                event.accepted = true
            }
        }
    }
}
