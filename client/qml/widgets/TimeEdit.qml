// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Templates 2.15 as T
import org.kde.kirigami 2.20 as Kirigami

// A time of day in whole minutes, as milliseconds since midnight, shown as
// "hh:mm". The up and down steps change the part (hours or minutes) that is
// being edited, and go round the clock keeping the other part: an hour up
// from 23:30 is 00:30. The time can be typed: the digits replace the part
// that is selected, and Enter (or leaving the field) settles the text.
SpinBox {
    id: control

    readonly property int oneMinute: 60000
    readonly property int oneHour: 3600000
    readonly property int oneDay: 24 * oneHour

    function pad(number) {
        return number < 10 ? "0" + number : "" + number
    }

    // Local time of day of an instant given in epoch milliseconds; seconds
    // are dropped, as the field cannot show them.
    function setTimeFromDate(timestamp) {
        var date = new Date(timestamp)
        value = date.getHours() * oneHour + date.getMinutes() * oneMinute
    }

    // A step may leave the day by up to an hour either way; it comes back
    // round the clock at once. The spin box's own wrapping would jump to a
    // bound instead and lose the minutes.
    from: -oneHour
    to: oneDay + oneHour
    wrap: false
    editable: true
    onValueModified: {
        if (value < 0 || value >= oneDay) {
            value = (value % oneDay + oneDay) % oneDay
        }
    }
    stepSize: textField.isHoursEdited === true && control.activeFocus ? oneHour : oneMinute
    inputMethodHints: Qt.ImhTime

    textFromValue: function (value, locale) {
        var minutes = Math.floor(value / oneMinute)
        return pad(Math.floor(minutes / 60)) + ":" + pad(minutes % 60)
    }

    valueFromText: function (text, locale) {
        var parts = text.split(":")
        var readPart = function (part) {
            if (part === undefined || part.length === 0) {
                part = "00"
            }
            try {
                return Number.fromLocaleString(locale, part)
            } catch (e) {
                var number = parseInt(part, 10)
                return isNaN(number) ? 0 : number
            }
        }
        return readPart(parts[0]) * oneHour + readPart(parts[1]) * oneMinute
    }

    contentItem: T.TextField {
        id: textField

        property bool isHoursEdited: false
        property bool isMinutesEdited: false
        property string lastText: ""

        function selectHours() {
            select(0, 2)
            isHoursEdited = true
            isMinutesEdited = false
        }

        function selectMinutes() {
            select(3, 5)
            isHoursEdited = false
            isMinutesEdited = true
        }

        function bindText() {
            text = Qt.binding(function () {
                return control.displayText
            })
        }

        // Some room between the digits and the arrows.
        implicitWidth: Math.round(metrics.width) + 2 * Kirigami.Units.smallSpacing + leftPadding + rightPadding
        implicitHeight: Math.round(contentHeight) + topPadding + bottomPadding
        z: 2
        text: control.displayText
        font: control.font
        color: Kirigami.Theme.textColor
        selectionColor: Kirigami.Theme.highlightColor
        selectedTextColor: Kirigami.Theme.highlightedTextColor
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        inputMask: "99:99;_"
        selectByMouse: true
        hoverEnabled: false
        readOnly: !control.editable
        activeFocusOnTab: true
        inputMethodHints: control.inputMethodHints
        // The field is what takes the focus: it carries the spin box's name.
        Accessible.name: control.Accessible.name
        Accessible.description: qsTr("Hours and minutes; the arrow keys change the part selected, Tab moves to the other part")

        TextMetrics {
            id: metrics
            font: control.font
            text: "00:00"
        }

        // Typed values are clamped to a valid time of day before they are
        // taken over.
        onTextEdited: {
            if (!control.editable || !acceptableInput) {
                return
            }
            var parts = text.split(":")
            var hours = parseInt(parts[0], 10)
            var minutes = parseInt(parts[1], 10)
            var clamped = (hours >= 24 ? "23" : parts[0]) + ":" + (minutes >= 60 ? "59" : parts[1])
            if (clamped !== text) {
                var position = cursorPosition
                text = clamped
                cursorPosition = position
            }
            control.value = control.valueFromText(clamped, control.locale)
            bindText()
            control.valueModified()
        }

        onActiveFocusChanged: {
            if (activeFocus) {
                if (!isHoursEdited && !isMinutesEdited) {
                    if (focusReason === Qt.TabFocusReason) {
                        selectHours()
                    } else if (focusReason === Qt.BacktabFocusReason) {
                        selectMinutes()
                    }
                }
            } else {
                isHoursEdited = false
                isMinutesEdited = false
                bindText()
            }
        }

        onCursorPositionChanged: {
            if (!activeFocus) {
                deselect()
            } else {
                lastText = text
            }
        }

        // Enter settles what was typed: the field shows the time it holds.
        function settle() {
            deselect()
            isHoursEdited = false
            isMinutesEdited = false
            bindText()
        }
        Keys.onReturnPressed: settle()
        Keys.onEnterPressed: settle()

        Keys.onTabPressed: function (event) {
            if (isHoursEdited) {
                selectMinutes()
            } else if (isMinutesEdited) {
                var next = textField.nextItemInFocusChain(true)
                if (next) {
                    next.forceActiveFocus(Qt.TabFocusReason)
                }
            } else {
                event.accepted = false
            }
        }

        Keys.onBacktabPressed: function (event) {
            if (isMinutesEdited) {
                selectHours()
            } else if (isHoursEdited) {
                var previous = textField.nextItemInFocusChain(false)
                if (previous) {
                    previous.forceActiveFocus(Qt.BacktabFocusReason)
                }
            } else {
                event.accepted = false
            }
        }

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.LeftButton | Qt.MiddleButton
            hoverEnabled: false
            onPressed: function (mouse) {
                textField.forceActiveFocus(Qt.MouseFocusReason)
                if (textField.positionAt(mouse.x, mouse.y) < 3) {
                    textField.selectHours()
                } else {
                    textField.selectMinutes()
                }
                mouse.accepted = true
            }
        }
    }
}
