// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

// Where the scheduler service is found on the session bus. The service, the
// window and the command line all take the addresses from here.
namespace BusAddress
{
inline QString serviceName()
{
    return QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
}
inline QString objectPath()
{
    return QStringLiteral("/Presets");
}
inline QString interfaceName()
{
    return QStringLiteral("ru.velmora.shutdown.scheduler.service.PresetController");
}
} // namespace BusAddress
