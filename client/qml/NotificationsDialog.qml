// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler.widgets 1.0

// A notification lead time of the user's own, in hours and minutes.
ModalDialog {
    id: dialog
    objectName: "notificationsDialog"

    // The lead time to start from, and the largest one allowed (-1: none).
    property real time: 0
    property real maximum: -1

    readonly property int maximumHours: maximum < 0 ? 168 : Math.floor(maximum / 3600000)
    readonly property int maximumMinutes: maximum >= 0 && hours.value === maximumHours ? Math.floor((maximum % 3600000) / 60000) : 59
    readonly property real chosenTime: hours.value * 3600000 + minutes.value * 60000

    signal activated(real time)

    title: qsTr("Notification")
    standardButtons: Dialog.Ok | Dialog.Cancel
    initialFocus: hours
    padding: applicationWindow().padding

    onAccepted: dialog.activated(dialog.chosenTime)

    Component.onCompleted: {
        var allMinutes = Math.floor(Math.max(0, time) / 60000)
        hours.value = Math.floor(allMinutes / 60)
        minutes.value = allMinutes % 60
    }

    FieldSentence {
        pattern: qsTr("Warn %1 h %2 min before the action", "%1 and %2 are number fields")
        fields: [hours, minutes]

        Keys.onReturnPressed: dialog.accept()
        Keys.onEnterPressed: dialog.accept()

        SpinBox {
            id: hours
            objectName: "leadHours"
            from: 0
            to: dialog.maximumHours
            Accessible.name: qsTr("Hours before the action")
        }
        SpinBox {
            id: minutes
            objectName: "leadMinutes"
            from: 0
            to: dialog.maximumMinutes
            wrap: true
            Accessible.name: qsTr("Minutes before the action")
        }
    }
}
