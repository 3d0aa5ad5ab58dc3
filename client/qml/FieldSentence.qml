// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Templates 2.15 as T
import org.kde.kirigami 2.20 as Kirigami

// A sentence with input fields inside it, laid out in the order its
// translation gives: pattern is the whole translated sentence, with %1, %2…
// where fields[0], fields[1]… go ("Warn %1 h %2 min before the action").
// The words around the fields are labels; a leader (a radio button that
// chooses the sentence) takes the words before the first field as its text.
// The fields are declared as children and named in fields.
RowLayout {
    id: root

    property string pattern
    property list<Item> fields
    property T.AbstractButton leader: null

    // The words and the fields in the pattern's order: {text} and {field}.
    readonly property var pieces: {
        var result = []
        var placeholder = /%(\d)/g
        var last = 0
        var match
        while ((match = placeholder.exec(pattern)) !== null) {
            result.push({"text": pattern.substring(last, match.index).trim()})
            result.push({"field": Number(match[1]) - 1})
            last = placeholder.lastIndex
        }
        result.push({"text": pattern.substring(last).trim()})
        return result
    }
    property var labels: []

    // Puts the leader, the words and the fields in the pattern's order: the
    // layout (and the Tab key) takes the children in their order, and a
    // child put back comes last.
    function arrange() {
        var order = leader ? [leader] : []
        var textIndex = 0
        for (var i = 0; i < pieces.length; ++i) {
            var piece = pieces[i]
            if (piece.field === undefined) {
                while (labels.length <= textIndex) {
                    labels.push(wordsComponent.createObject(root))
                }
                var isLead = textIndex === 0 && leader !== null
                if (isLead) {
                    leader.text = piece.text
                }
                labels[textIndex].text = isLead ? "" : piece.text
                order.push(labels[textIndex])
                ++textIndex
            } else if (fields[piece.field]) {
                order.push(fields[piece.field])
            }
        }
        for (var j = textIndex; j < labels.length; ++j) {
            labels[j].text = ""
        }
        var current = Array.prototype.filter.call(root.children, function (child) {
            return child !== aside
        })
        var same = current.length === order.length
        for (var k = 0; same && k < order.length; ++k) {
            same = current[k] === order[k]
        }
        if (same) {
            return
        }
        for (var m = 0; m < order.length; ++m) {
            order[m].parent = aside
        }
        for (var n = 0; n < order.length; ++n) {
            order[n].parent = root
        }
    }

    spacing: Kirigami.Units.smallSpacing
    onPiecesChanged: arrange()
    Component.onCompleted: arrange()

    // Where the children wait while they are put in order.
    Item {
        id: aside
        visible: false
    }

    Component {
        id: wordsComponent
        Label {
            visible: text !== ""
            // Clicking the words chooses the sentence, as on a radio button.
            TapHandler {
                enabled: root.leader !== null
                onTapped: root.leader.click()
            }
        }
    }
}
