// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import org.kde.kirigami 2.20 as Kirigami

// A short note beside a field saying why its value can never act; hidden
// while there is nothing to say.
RowLayout {
    id: root

    property alias text: note.text

    visible: text !== ""
    spacing: Kirigami.Units.smallSpacing

    Kirigami.Icon {
        Layout.alignment: Qt.AlignTop
        Layout.preferredWidth: Kirigami.Units.iconSizes.sizeForLabels
        Layout.preferredHeight: Kirigami.Units.iconSizes.sizeForLabels
        source: "dialog-warning"
    }
    Label {
        id: note
        Layout.fillWidth: true
        // Wraps in the room there is rather than widening the editor.
        Layout.preferredWidth: Kirigami.Units.gridUnit * 16
        wrapMode: Text.Wrap
        // Fixed: the style's choice by line count loops with the wrapping.
        verticalAlignment: Text.AlignTop
        Accessible.role: Accessible.AlertMessage
    }
}
