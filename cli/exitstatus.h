// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The exit statuses of zel-scheduler-cli, as its help and manual page list
// them. Scripts rely on the numbers: never change them.
namespace ExitStatus
{
enum Value {
    Success = 0,
    // The preset was understood but would never act (an end before the
    // start, a warning not shorter than the countdown, ...): nothing added.
    Refused = 1,
    // The command line is not understood: unknown command, option or
    // action, a malformed duration, date and time, rule or window.
    Usage = 2,
    // A preset named on the command line matches no preset, or several.
    NoMatch = 3,
    // The scheduler service did not answer.
    Unreachable = 4,
};
} // namespace ExitStatus
