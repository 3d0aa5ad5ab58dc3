// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15

// A radio button of a ButtonGroup that the arrow keys move from: Down and
// Right (Left in right-to-left layouts) check the next button of the group,
// Up and Left the previous one, round the group, and take the focus there.
RadioButton {
    id: control

    function step(by) {
        var group = ButtonGroup.group
        if (!group) {
            return false
        }
        // In the order they are seen: the group keeps them in the order
        // they joined it.
        var buttons = []
        for (var i = 0; i < group.buttons.length; ++i) {
            var button = group.buttons[i]
            if (button.visible && button.enabled) {
                var at = button.mapToItem(null, 0, 0)
                buttons.push({"button": button, "x": mirrored ? -at.x : at.x, "y": at.y})
            }
        }
        buttons.sort(function (a, b) {
            return a.y !== b.y ? a.y - b.y : a.x - b.x
        })
        buttons = buttons.map(function (entry) {
            return entry.button
        })
        var index = buttons.indexOf(control)
        if (index < 0 || buttons.length < 2) {
            return false
        }
        var next = buttons[(index + by + buttons.length) % buttons.length]
        next.checked = true
        next.forceActiveFocus(Qt.TabFocusReason)
        return true
    }

    Keys.onPressed: function (event) {
        var forward = mirrored ? Qt.Key_Left : Qt.Key_Right
        var backward = mirrored ? Qt.Key_Right : Qt.Key_Left
        if (event.key === Qt.Key_Down || event.key === forward) {
            event.accepted = step(1)
        } else if (event.key === Qt.Key_Up || event.key === backward) {
            event.accepted = step(-1)
        }
    }
}
