// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import org.kde.kirigami 2.20 as Kirigami

// An inline message showing message. The text is taken only once the item
// is complete: given during creation, a long text makes Kirigami's label
// measure itself in a binding loop.
Kirigami.InlineMessage {
    id: root

    property string message
    property bool complete: false

    text: complete ? message : ""
    Accessible.role: Accessible.AlertMessage
    Accessible.name: message
    Component.onCompleted: complete = true
}
