// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami

// A date shown as "dd MMMM yyyy"; the calendar button opens the date picker.
Item {
    id: control

    property date selectedDate: new Date()
    property date minimumDate: new Date(1970, 0, 1)
    property date maximumDate: new Date(2077, 0, 1)
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

    TextMetrics {
        id: metrics
        font: field.font
        text: field.text
    }

    Kirigami.ActionTextField {
        id: field
        objectName: "dateField"
        // 150 wide, or wider when a long month name would not fit: a clipped
        // field would hide the day.
        width: Math.max(150, Math.ceil(metrics.advanceWidth) + leftPadding + rightPadding + 2)
        anchors.verticalCenter: parent.verticalCenter
        readOnly: true
        text: control.getDateStr()
        rightActions: Kirigami.Action {
            text: qsTr("Choose Date")
            icon.name: "calendar-symbolic"
            onTriggered: control.openPicker()
        }
    }
}
