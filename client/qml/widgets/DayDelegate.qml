// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import org.kde.kirigami 2.20 as Kirigami

// One day of the date picker's grid. The roles dayNumber, monthNumber,
// yearNumber and isCurrent come from the calendar's days model.
Button {
    id: day

    property var selectedDate
    property var today
    // Whether the selected day shows the keyboard focus of the grid.
    property bool showsFocus: false
    readonly property date dayDate: new Date(model.yearNumber, model.monthNumber - 1, model.dayNumber)
    readonly property bool isSelected: selectedDate !== undefined && selectedDate !== null
        && selectedDate.getDate() === model.dayNumber
        && selectedDate.getMonth() === model.monthNumber - 1
        && selectedDate.getFullYear() === model.yearNumber
    readonly property bool isWeekend: dayDate.getDay() === 0 || dayDate.getDay() === 6
    readonly property bool isToday: today !== undefined && today !== null
        && today.getDate() === model.dayNumber
        && today.getMonth() === model.monthNumber - 1
        && today.getFullYear() === model.yearNumber

    signal activated(date date)

    checkable: true
    checked: isSelected
    // The grid around takes the focus and moves the selected day.
    focusPolicy: Qt.NoFocus
    Accessible.name: dayDate.toLocaleDateString(Qt.locale(), Locale.LongFormat)
    flat: !checked
    opacity: model.isCurrent ? 1.0 : 0.5
    text: model.dayNumber

    // The selected day is filled with the selection colour of the scheme,
    // under the text colour that goes with it: the style's own checked
    // button is a pale grey that the light text does not stand out from.
    background: Rectangle {
        radius: Kirigami.Units.smallSpacing
        color: day.checked ? Kirigami.Theme.highlightColor : day.hovered ? Kirigami.Theme.hoverColor : "transparent"
        opacity: day.checked || !day.hovered ? 1 : 0.3
        // The keyboard's focus: a frame darker than the fill.
        border.width: day.checked && day.showsFocus ? Math.max(1, Math.round(Kirigami.Units.smallSpacing / 2)) : 0
        border.color: Kirigami.ColorUtils.linearInterpolation(Kirigami.Theme.highlightColor, Kirigami.Theme.textColor, 0.6)
    }

    contentItem: Label {
        text: day.text
        font.bold: day.isToday
        font.underline: day.isToday
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: day.checked ? Kirigami.Theme.highlightedTextColor
                           : day.isToday ? Kirigami.Theme.linkColor
                                         : day.isWeekend ? Kirigami.Theme.negativeTextColor : Kirigami.Theme.textColor
    }

    onClicked: {
        day.activated(new Date(model.yearNumber, model.monthNumber - 1, model.dayNumber))
        // A click toggles the button; whether it is checked is decided by
        // the selected date alone.
        checked = Qt.binding(function () {
            return day.isSelected
        })
    }
}
