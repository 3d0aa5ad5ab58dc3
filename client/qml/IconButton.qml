// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami

// A small tool button that shows only its icon: its text is its tool tip
// and what a screen reader hears. Turned disabled while it has the focus,
// it says so with focusLost(), so that the focus can go somewhere useful.
ToolButton {
    id: control

    property bool hadFocus: false

    signal focusLost

    display: AbstractButton.IconOnly
    icon.width: Kirigami.Units.iconSizes.sizeForLabels
    icon.height: Kirigami.Units.iconSizes.sizeForLabels
    ToolTip.text: text
    // Gone with the button when it is hidden under the pointer.
    ToolTip.visible: hovered && visible && text !== ""
    ToolTip.delay: Kirigami.Units.toolTipDelay

    // Qt takes the focus away before it announces the change of enabled.
    onActiveFocusChanged: hadFocus = activeFocus || !enabled && hadFocus
    onEnabledChanged: {
        if (!enabled && hadFocus) {
            hadFocus = false
            focusLost()
        }
    }
}
