// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import org.kde.kirigami 2.20 as Kirigami

// A dialog over the window that has the keyboard while it is open: the
// focus starts on initialFocus, Tab stays inside, Escape or Cancel closes
// it, and the focus goes back where it was when it closes. Each use makes a
// new dialog; it goes once it is closed.
Kirigami.Dialog {
    id: dialog

    // What has the focus when the dialog opens.
    property Item initialFocus: null
    property Item focusBefore: null

    focus: true
    // Cancel and Escape close it; the header's close button takes no focus.
    showCloseButton: false
    // Centred by its own size, or by the room there is when the window is
    // smaller (the content scrolls then): Kirigami's default follows the
    // height the popup shrinks to near the window's bottom, a binding loop.
    y: parent ? Math.max(0, Math.round((parent.height - Math.min(implicitHeight, maximumHeight)) / 2)) : 0

    // The popup takes the focus itself as it opens and closes: ours moves
    // once it is done. (Qt ignores a move for the popup's reason.)
    onAboutToShow: focusBefore = parent ? parent.Window.activeFocusItem : null
    onOpened: focusLater(initialFocus)
    onClosed: {
        focusLater(focusBefore)
        destroy()
    }

    // The call comes after the dialog may have been destroyed (it destroys
    // itself as it closes), and the item too: it uses nothing of the
    // dialog's, and skips an item that is gone.
    function focusLater(item) {
        var reason = Qt.OtherFocusReason
        Qt.callLater(function () {
            if (item && typeof item.forceActiveFocus === "function") {
                item.forceActiveFocus(reason)
            }
        })
    }
}
