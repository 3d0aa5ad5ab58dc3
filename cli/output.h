// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

// What the program writes: results to standard output, errors to standard
// error after the program's name. Every line is flushed at once, so that a
// pipe sees each as it comes.
namespace Output
{
void line(const QString &text);
void error(const QString &message);
// Writes the error and returns status, for "return Output::fail(...)".
int fail(int status, const QString &message);
} // namespace Output
