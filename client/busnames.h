// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

// Where the window finds the scheduler service on the session bus.
namespace BusNames
{
inline QString service()
{
    return QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
}
inline QString presetsPath()
{
    return QStringLiteral("/Presets");
}
} // namespace BusNames
