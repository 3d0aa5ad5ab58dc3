// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Dialogs 1.3
import org.kde.kirigami 2.20 as Kirigami
import zel.scheduler 1.0

// The window: the preset list on the left, the editor of the current preset
// on the right, Help and Close at the bottom.
Kirigami.ApplicationWindow {
    id: root

    readonly property bool hasBackend: typeof backend !== "undefined" && backend !== null
    readonly property var presetsModel: hasBackend ? backend.presetsModel : null
    readonly property int spacing: 12
    readonly property int padding: 2 * Kirigami.Units.largeSpacing

    // Asks before the selected presets are removed.
    function removeConfirmation() {
        var box = removeBox.createObject(root)
        box.accepted.connect(function () {
            if (root.presetsModel) {
                root.presetsModel.removeSelected()
            }
        })
        box.open()
        return box
    }

    // Asks what to do with unsaved edits: apply, discard or stay.
    function showMessage(onApplied, onDiscarded, onRejected) {
        var box = applyBox.createObject(root)
        box.apply.connect(onApplied)
        box.discard.connect(onDiscarded)
        box.rejected.connect(onRejected)
        box.open()
        return box
    }

    function showHelp() {
        if (hasBackend) {
            backend.showHelp()
        }
    }

    title: qsTr("Scheduler")
    width: 850
    height: 420
    minimumWidth: 850
    minimumHeight: 420
    visible: true
    pageStack.visible: false

    Component {
        id: removeBox
        MessageDialog {
            objectName: "removeMessage"
            title: qsTr("Remove action")
            text: qsTr("Do you want to remove the action?")
            icon: StandardIcon.Question
            standardButtons: StandardButton.Ok | StandardButton.Cancel
            onVisibleChanged: if (!visible) destroy()
        }
    }

    Component {
        id: applyBox
        MessageDialog {
            objectName: "applyMessage"
            title: qsTr("Apply settings")
            text: qsTr("The settings of the action have changed.") + "\n" + qsTr("Do you want to apply the changes or discard them?")
            icon: StandardIcon.Question
            standardButtons: StandardButton.Apply | StandardButton.Discard | StandardButton.Cancel
            onVisibleChanged: if (!visible) destroy()
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
    }

    Shortcut {
        sequence: "F1"
        onActivated: root.showHelp()
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: root.padding
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
        }

        Kirigami.Separator {
            Layout.fillHeight: true
        }

        Settings {
            id: settings
            objectName: "settings"
            Layout.fillHeight: true
            Layout.fillWidth: true
            Layout.maximumWidth: 430
            Layout.preferredWidth: 430
            enabled: presets.enabled && root.presetsModel !== null && root.presetsModel.currentIndex >= 0
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
