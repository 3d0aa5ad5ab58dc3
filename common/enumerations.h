// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>

// The four enumerations of the preset model. Each is a gadget holding one
// plain enum named Value, so that a value prints by its key and is usable from
// QML. The numbers are part of the JSON format and must never change.

class ActionType
{
    Q_GADGET
public:
    enum Value {
        TurnOn = -1,
        Shutdown = 0,
        Reboot = 1,
        Sleep = 2,
        Hibernation = 3,
        NewSession = 4,
        NewSessionNewWindow = 5,
        Lock = 6,
        EndSession = 7,
    };
    Q_ENUM(Value)

    // Translated display name (context "Action"); empty for unknown numbers.
    static QString displayName(int type);
    // The English display name, as the catalogues know it; null for unknown
    // numbers.
    static const char *sourceName(int type);
    // Symbolic icon name (freedesktop names, and ours where the themes have
    // nothing fitting: data/icons); empty for unknown numbers.
    static QString iconName(int type);
};

class PresetType
{
    Q_GADGET
public:
    enum Value {
#ifndef ZEL_CLIENT
        Undefined = -1,
#endif
        Timer = 0,
        Scheduled = 1,
        Range = 2,
    };
    Q_ENUM(Value)
};

class RepeatType
{
    Q_GADGET
public:
    enum Value {
        Undefined = 0,
        Never = 1,
        EveryDay = 2,
        EveryWeek = 3,
        EveryMonth = 4,
        EveryYear = 5,
        Custom = 6,
    };
    Q_ENUM(Value)
};

class RepeatCustomType
{
    Q_GADGET
public:
    enum Value {
        Days = 0,
        Weeks = 1,
        Monthes = 2,
    };
    Q_ENUM(Value)
};
