// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

namespace PolkitQt1
{
class UnixProcessSubject;
}

// The zel-wm route's two halves that are not bus calls: what zel-wm is sent
// for an action, and which process polkit is asked about on that route (zel-wm
// carries the action out with its own rights). ActionJob does the rest; its
// log lines on this route keep the category "Executor".
//
// Actions are plain numbers (the JSON form may carry any); numbers that name
// no action have an empty command.
namespace Executor
{
PolkitQt1::UnixProcessSubject wmSubject();
QString wmCommand(qint32 type);
} // namespace Executor
