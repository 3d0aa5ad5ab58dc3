// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// The window: what the service is doing, the preset list on the left, the
// editor of the current preset on the right, Help and Close at the bottom.
Kirigami.ApplicationWindow {
    id: root

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    readonly property var presetsModel: hasBackend ? backend.presetsModel : null
    readonly property int spacing: 3 * Kirigami.Units.smallSpacing
    readonly property int padding: 2 * Kirigami.Units.largeSpacing
    readonly property int serviceState: hasBackend ? backend.serviceState : Backend.NotRunning
    // Set once the service has been starting or loading for a while: a
    // short wait passes without a word.
    property bool longWait: false
    // The window closes once the requests it sent have been answered.
    property bool closeWhenIdle: false

    // Asks before the selected presets are removed, naming what goes.
    function removeConfirmation() {
        var names = presetsModel ? presetsModel.selectedNames() : []
        if (names.length === 0) {
            return null
        }
        var dialog = removeDialog.createObject(root, {"names": names})
        dialog.open()
        return dialog
    }

    // Asks what to do with unsaved edits: apply, discard or stay.
    function showMessage(onApplied, onDiscarded, onRejected) {
        var dialog = applyDialog.createObject(root)
        dialog.apply.connect(onApplied)
        dialog.discard.connect(onDiscarded)
        dialog.rejected.connect(onRejected)
        dialog.open()
        return dialog
    }

    function showProblem(text, type) {
        problemMessage.type = type === undefined ? Kirigami.MessageType.Error : type
        problemMessage.message = text
        problemMessage.visible = true
    }

    // The help, in a dialog of the window: it needs no browser. Without an
    // installed page it is handed to the desktop's viewer, which may fail.
    function showHelp() {
        var page = hasBackend ? backend.helpText() : ""
        if (page === "") {
            showHelpInBrowser()
            return null
        }
        var dialog = helpDialog.createObject(root, {"page": page})
        dialog.openInBrowser.connect(showHelpInBrowser)
        dialog.open()
        return dialog
    }

    function showHelpInBrowser() {
        if (hasBackend && !backend.showHelp()) {
            showProblem(qsTr("The help could not be opened: it is not installed, or no program is set up to show web pages."))
        }
    }

    function closeIfIdle() {
        if (closeWhenIdle && (!hasBackend || backend.pendingRequests === 0)) {
            close()
        }
    }

    title: qsTr("Scheduler")
    // The room everything needs, whatever the font and the language, worked
    // out once the layouts have settled. (A layout read while the window
    // lays them out again changes under its reader.)
    property real neededWidth: 0
    property real neededHeight: 0
    function updateMinimumSize() {
        var messages = (serviceMessage.visible ? serviceMessage.implicitHeight + spacing : 0)
                + (problemMessage.visible ? problemMessage.implicitHeight + spacing : 0)
        var wasWidth = neededWidth
        var wasHeight = neededHeight
        neededWidth = Math.ceil(presets.leastWidth + separator.implicitWidth + settings.implicitWidth + 2 * spacing + 2 * padding)
        // Room for the dialogs too: the tallest, the calendar, needs some
        // twenty lines of text.
        neededHeight = Math.ceil(Math.max(presets.leastHeight, settings.implicitHeight, Kirigami.Units.gridUnit * 22) + messages + 2 * padding
                                 + footer.implicitHeight)
        // A window that had the room its content needed grows with it (a
        // message appears), as far as the screen allows.
        if (wasWidth > 0 && width >= wasWidth - 1 && neededWidth > width) {
            width = Math.max(width, Math.min(neededWidth, Screen.desktopAvailableWidth))
        }
        if (wasHeight > 0 && height >= wasHeight - 1 && neededHeight > height) {
            height = Math.max(height, Math.min(neededHeight, Screen.desktopAvailableHeight))
        }
        // A window smaller than that scrolls its content, so that it fits a
        // small screen at a large font or scale: it may be as small as a
        // few rows of the list beside the editor's first fields.
        minimumWidth = Math.min(neededWidth, Kirigami.Units.gridUnit * 28)
        minimumHeight = Math.min(neededHeight, Kirigami.Units.gridUnit * 16)
    }

    visible: true
    pageStack.visible: false

    // A little roomier than needed, once: the user's size is kept after;
    // within the screen.
    Component.onCompleted: {
        updateMinimumSize()
        width = Math.max(minimumWidth, Math.min(Math.max(neededWidth, Kirigami.Units.gridUnit * 47), Screen.desktopAvailableWidth))
        height = Math.max(minimumHeight, Math.min(Math.max(neededHeight, Kirigami.Units.gridUnit * 24), Screen.desktopAvailableHeight))
        presets.focusList()
    }

    // Every way of closing comes here: the Close button, the title bar and
    // the keyboard.
    onClosing: function (close) {
        if (settings.hasChanges) {
            close.accepted = false
            showMessage(function () {
                settings.admit()
                root.closeWhenIdle = true
                root.closeIfIdle()
            }, function () {
                settings.clear()
                root.close()
            }, function () {})
        } else if (hasBackend && backend.pendingRequests > 0) {
            // A request still on its way would be lost with the program.
            close.accepted = false
            closeWhenIdle = true
        }
    }

    // What takes the focus is scrolled into sight.
    onActiveFocusItemChanged: {
        var item = activeFocusItem
        for (var inside = item; inside && inside !== scroller.contentItem; inside = inside.parent) {}
        if (!item || !inside) {
            return
        }
        var place = item.mapToItem(scroller.contentItem, 0, 0, item.width, item.height)
        scroller.contentX = Math.max(0, Math.min(scroller.contentX, place.x), place.x + place.width - scroller.width)
        scroller.contentY = Math.max(0, Math.min(scroller.contentY, place.y), place.y + place.height - scroller.height)
    }

    onServiceStateChanged: {
        longWait = false
        waitTimer.restart()
    }

    Timer {
        id: minimumSize
        interval: 0
        onTriggered: root.updateMinimumSize()
    }
    Connections {
        target: settings
        function onImplicitWidthChanged() {
            minimumSize.restart()
        }
        function onImplicitHeightChanged() {
            minimumSize.restart()
        }
    }
    Connections {
        target: presets
        function onLeastWidthChanged() {
            minimumSize.restart()
        }
        function onLeastHeightChanged() {
            minimumSize.restart()
        }
    }
    Connections {
        target: serviceMessage
        function onVisibleChanged() {
            minimumSize.restart()
        }
        function onImplicitHeightChanged() {
            minimumSize.restart()
        }
    }
    Connections {
        target: problemMessage
        function onVisibleChanged() {
            minimumSize.restart()
        }
        function onImplicitHeightChanged() {
            minimumSize.restart()
        }
    }

    Timer {
        id: waitTimer
        interval: Kirigami.Units.humanMoment
        onTriggered: root.longWait = true
    }

    Component {
        id: removeDialog
        Question {
            property var names: []

            objectName: "removeMessage"
            title: qsTr("Remove Selected")
            question: names.length === 1 ? qsTr("Remove the preset “%1”?").arg(names[0]) : qsTr("Remove %n presets?", "", names.length)
            standardButtons: Dialog.Ok | Dialog.Cancel
            onAccepted: {
                if (root.presetsModel) {
                    root.presetsModel.removeSelected()
                }
            }
            onAboutToShow: {
                var remove = standardButton(Dialog.Ok)
                remove.text = qsTr("Remove")
                remove.icon.name = "edit-delete"
                // The safe answer is the one a stray Space gives.
                initialFocus = standardButton(Dialog.Cancel)
            }
        }
    }

    Component {
        id: helpDialog
        HelpDialog {}
    }

    Component {
        id: applyDialog
        Question {
            signal apply
            signal discard

            objectName: "applyMessage"
            title: qsTr("Apply Settings")
            question: qsTr("The settings of the preset have changed. Do you want to apply the changes or discard them?")
            standardButtons: Dialog.Apply | Dialog.Discard | Dialog.Cancel
            onAboutToShow: {
                // Settings that could never act are not applied.
                standardButton(Dialog.Apply).enabled = Qt.binding(function () {
                    return settings.isValid
                })
                initialFocus = standardButton(settings.isValid ? Dialog.Apply : Dialog.Cancel)
            }
            onApplied: {
                apply()
                close()
            }
            onDiscarded: {
                discard()
                close()
            }
        }
    }

    Connections {
        target: root.hasBackend ? backend : null
        function onAccepted() {
            root.close()
        }
        function onRejected() {
            root.close()
        }
        function onPendingRequestsChanged() {
            root.closeIfIdle()
        }
        function onRequestFailed(message) {
            root.closeWhenIdle = false
            root.showProblem(qsTr("The scheduler service did not carry out a request: %1").arg(message))
        }
    }

    Connections {
        target: root.presetsModel
        function onCurrentRemoved(name) {
            root.showProblem(qsTr("The preset “%1” that was open in the editor was removed by another program.").arg(name), Kirigami.MessageType.Warning)
        }
    }

    Shortcut {
        sequences: [StandardKey.HelpContents]
        onActivated: root.showHelp()
    }

    Shortcut {
        sequences: [StandardKey.Quit]
        onActivated: root.close()
    }

    Shortcut {
        sequences: [StandardKey.New]
        enabled: presets.enabled
        onActivated: presets.addPreset()
    }

    Shortcut {
        sequences: [StandardKey.Save]
        enabled: settings.enabled && settings.hasChanges && settings.isValid
        onActivated: settings.admit()
    }

    // Scrolls when the window is smaller than its content needs.
    Flickable {
        id: scroller
        objectName: "contentScroller"
        anchors.fill: parent
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        interactive: contentWidth > width || contentHeight > height
        contentWidth: Math.max(width, root.neededWidth)
        contentHeight: Math.max(height, root.neededHeight - root.footer.implicitHeight)
        ScrollBar.horizontal: ScrollBar {}
        ScrollBar.vertical: ScrollBar {}

        ColumnLayout {
            id: content
            width: scroller.contentWidth - 2 * root.padding
            height: scroller.contentHeight - 2 * root.padding
            x: root.padding
            y: root.padding
            spacing: root.spacing

            // Escape closes the window, as in a dialog; what has the focus
            // (an open list, a dialog) takes it first.
            Keys.onEscapePressed: root.close()

            StatusMessage {
                id: serviceMessage
                objectName: "serviceMessage"
                Layout.fillWidth: true
                visible: message !== ""
                type: root.serviceState === Backend.NotRunning || root.serviceState === Backend.NotAnswering ? Kirigami.MessageType.Error
                                                                                                             : Kirigami.MessageType.Information
                message: {
                    if (!root.hasBackend) {
                        return ""
                    }
                    switch (root.serviceState) {
                    case Backend.NotRunning:
                        return backend.serviceError === "" ? qsTr("The scheduler service is not running. Presets cannot be changed, started or stopped until it runs.")
                                                           : qsTr("The scheduler service is not running and could not be started: %1").arg(backend.serviceError)
                    case Backend.Starting:
                        return root.longWait ? qsTr("Starting the scheduler service…") : ""
                    case Backend.Loading:
                        return root.longWait ? qsTr("Waiting for the scheduler service to send the presets…") : ""
                    case Backend.NotAnswering:
                        return qsTr("The scheduler service does not answer: %1").arg(backend.serviceError)
                    }
                    return ""
                }
                actions: [
                    Kirigami.Action {
                        objectName: "startServiceAction"
                        text: qsTr("Start Service")
                        icon.name: "media-playback-start"
                        visible: root.serviceState === Backend.NotRunning
                        onTriggered: backend.startService()
                    },
                    Kirigami.Action {
                        objectName: "reloadAction"
                        text: qsTr("Try Again")
                        icon.name: "view-refresh"
                        visible: root.serviceState === Backend.NotAnswering
                        onTriggered: backend.reload()
                    }
                ]
            }

            StatusMessage {
                id: problemMessage
                objectName: "problemMessage"
                Layout.fillWidth: true
                // A button with a name, unlike the message's own close button.
                actions: [
                    Kirigami.Action {
                        objectName: "dismissAction"
                        text: qsTr("Dismiss")
                        icon.name: "dialog-close"
                        onTriggered: problemMessage.visible = false
                    }
                ]
            }

            RowLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                spacing: root.spacing

                Presets {
                    id: presets
                    objectName: "presets"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    enabled: root.hasBackend && backend.hasConnection
                    hasChanges: settings.hasChanges
                    onNeedAdmit: settings.admit()
                    onNeedClear: settings.clear()
                    onAdded: settings.focusFirstField()
                }

                Kirigami.Separator {
                    id: separator
                    Layout.fillHeight: true
                }

                Settings {
                    id: settings
                    objectName: "settings"
                    Layout.fillHeight: true
                    enabled: presets.enabled && root.presetsModel !== null && root.presetsModel.currentIndex >= 0
                }
            }
        }
    }

    footer: Control {
        padding: root.padding
        topPadding: root.spacing
        bottomPadding: root.spacing

        background: Rectangle {
            color: Kirigami.Theme.alternateBackgroundColor
            Rectangle {
                anchors.top: parent.top
                anchors.left: parent.left
                anchors.right: parent.right
                height: 1
                color: Kirigami.ColorUtils.linearInterpolation(Kirigami.Theme.backgroundColor, Kirigami.Theme.textColor, 0.35)
            }
        }

        contentItem: RowLayout {
            DialogButtonBox {
                objectName: "helpBox"
                padding: 0
                standardButtons: DialogButtonBox.Help
                onHelpRequested: root.showHelp()
            }
            Item {
                Layout.fillWidth: true
            }
            DialogButtonBox {
                objectName: "closeBox"
                padding: 0
                standardButtons: DialogButtonBox.Close
                onRejected: {
                    if (root.hasBackend) {
                        backend.reject()
                    } else {
                        root.close()
                    }
                }
            }
        }
    }
}
