// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

import QtQuick 2.15
import QtTest 1.2

// The test case of the tst_*.qml files: tryCompare and tryVerify look again
// every few milliseconds rather than every 50, so that a test goes on as soon
// as what it waits for has happened. A timeout still counts the time asked
// for, however long each look takes on a loaded machine, and a failure is
// reported at the line of the test that waited.
TestCase {
    id: root

    readonly property int pollInterval: 5

    function waitUntil(condition, timeout) {
        if (condition()) {
            return true
        }
        wait(0)
        for (var waited = 0; waited < timeout; waited += pollInterval) {
            if (condition()) {
                return true
            }
            wait(pollInterval)
        }
        return condition()
    }

    function tryCompare(obj, prop, value, timeout, msg) {
        if (typeof prop !== "string" && typeof prop !== "number") {
            qtest_fail("A property name as string or index is required for tryCompare", 1)
        }
        if (arguments.length < 3) {
            qtest_fail("A value is required for tryCompare", 1)
        }
        if (!waitUntil(function () {
            return qtest_compareInternal(obj[prop], value)
        }, timeout || 5000)) {
            qtest_fail((msg === undefined ? "property " + prop : msg) + "\n   Actual   (" + prop + "): " + qtest_results.stringify(obj[prop])
                       + "\n   Expected (" + prop + "): " + qtest_results.stringify(value), 1)
        }
    }

    function tryVerify(expressionFunction, timeout, msg) {
        if (!(expressionFunction instanceof Function)) {
            qtest_fail("First argument must be a function", 1)
        }
        if (!waitUntil(expressionFunction, timeout || 5000)) {
            qtest_fail(msg === undefined ? "function returned false" : msg, 1)
        }
    }
}
