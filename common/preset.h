// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "enumerations.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <set>

#ifdef ZEL_CLIENT
#include "action.h"
#endif

struct TimerSettings
{
    quint64 timeout = 0;
    quint64 notify = 0;
    quint64 remainingTime = 0;
};

struct RepeatSettings
{
    qint32 type = RepeatType::Never;
    qint32 customType = RepeatCustomType::Days;
    qint32 count = 1;
    std::set<qint32> selected; // ascending, without duplicates
};

struct ScheduleSettings
{
    quint64 start = 0;
    quint64 end = 0;
    quint64 notify = 0;
    RepeatSettings repeat;
};

// What the user may still do with a preset their administrator set (see
// ManagedPresets). Not part of the JSON form: a preset's JSON only says that
// it is managed ("preset_managed"), so no client can claim it.
struct ManagedRights
{
    bool userMayStop = true;
    bool userMayPostpone = true;

    bool operator==(const ManagedRights &other) const { return userMayStop == other.userMayStop && userMayPostpone == other.userMayPostpone; }
};

struct IntervalSettings
{
    quint64 start = 0;
    quint64 end = 0;
    qint64 regularity = 5000;
};

// One planned action. A copyable value: copies are deep. The service keeps
// presets behind Preset::Ptr, the client by value. The kinds and actions are
// kept as plain numbers, because JSON may carry numbers that have no key.
class Preset
{
public:
#ifndef ZEL_CLIENT
    using Ptr = std::shared_ptr<Preset>;

    static Ptr make(const QJsonObject &object);
    static Ptr make(const QString &json);
    // A new shared preset holding a deep copy of other.
    static Ptr make(const Preset &other);
#endif

    Preset() = default; // all defaults and the null id
    explicit Preset(const QJsonObject &object);

    QJsonObject toJsonObject() const;
    QString toJson() const;

    const QUuid &id() const
    {
        return m_id;
    }
    const QString &name() const
    {
        return m_name;
    }
    void setName(const QString &name)
    {
        m_name = name;
    }
    qint32 presetType() const
    {
        return m_presetType;
    }
    void setPresetType(qint32 type)
    {
        m_presetType = type;
    }
#ifdef ZEL_CLIENT
    qint32 actionType() const
    {
        return m_action.type();
    }
    const Action &action() const
    {
        return m_action;
    }
    void setActionType(qint32 type)
    {
        m_action = Action(type);
    }
#else
    qint32 actionType() const
    {
        return m_actionType;
    }
    void setActionType(qint32 type)
    {
        m_actionType = type;
    }
#endif
    bool isForce() const
    {
        return m_force;
    }
    void setForce(bool force)
    {
        m_force = force;
    }
    bool isRunning() const
    {
        return m_running;
    }
    bool isPaused() const
    {
        return m_paused;
    }

    const TimerSettings &timer() const
    {
        return m_timer;
    }
    TimerSettings &timer()
    {
        return m_timer;
    }
    const ScheduleSettings &schedule() const
    {
        return m_schedule;
    }
    ScheduleSettings &schedule()
    {
        return m_schedule;
    }
    const IntervalSettings &interval() const
    {
        return m_interval;
    }
    IntervalSettings &interval()
    {
        return m_interval;
    }

    void markStarted()
    {
        m_running = true;
        m_paused = false;
    }
    void markPaused()
    {
        m_running = false;
        m_paused = true;
    }
    void markStopped()
    {
        m_running = false;
        m_paused = false;
    }

    // Set by an administrator's file, with what the user may do; nullopt for
    // the user's own presets. The JSON form carries "preset_managed": true
    // for such a one; only the client build reads it back (the rights then
    // unknown, left at their defaults).
    const std::optional<ManagedRights> &managed() const
    {
        return m_managed;
    }
    void setManaged(const std::optional<ManagedRights> &rights)
    {
        m_managed = rights;
    }

#ifndef ZEL_CLIENT
    // Translated display name of the action; empty for unknown numbers.
    QString actionName() const;
#endif

private:
    QUuid m_id;
    QString m_name;
    qint32 m_presetType = PresetType::Timer;
#ifdef ZEL_CLIENT
    Action m_action;
#else
    qint32 m_actionType = ActionType::Shutdown;
#endif
    bool m_force = false;
    bool m_running = false;
    bool m_paused = false;
    TimerSettings m_timer;
    ScheduleSettings m_schedule;
    IntervalSettings m_interval;
    std::optional<ManagedRights> m_managed;
};

#ifndef ZEL_CLIENT
Q_DECLARE_METATYPE(Preset::Ptr)
#endif
