// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "preset.h"

#include "jsonnumbers.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace
{
const QString keyId = QStringLiteral("preset_id");
const QString keyName = QStringLiteral("preset_name");
const QString keyType = QStringLiteral("preset_type");
const QString keyAction = QStringLiteral("action_type");
const QString keyForce = QStringLiteral("preset_force");
const QString keyRunning = QStringLiteral("preset_running");
const QString keyPaused = QStringLiteral("preset_paused");
const QString keyTimer = QStringLiteral("timer");
const QString keySchedule = QStringLiteral("schedule");
const QString keyInterval = QStringLiteral("interval");
const QString keyTimeout = QStringLiteral("timeout");
const QString keyNotify = QStringLiteral("notify");
const QString keyRemaining = QStringLiteral("remainingTime");
const QString keyStart = QStringLiteral("start");
const QString keyEnd = QStringLiteral("end");
const QString keyRepeat = QStringLiteral("repeat_settings");
const QString keyRepeatType = QStringLiteral("repeat_settings_type");
const QString keyRepeatCustomType = QStringLiteral("repeat_settings_custom_type");
const QString keyRepeatCount = QStringLiteral("repeat_settings_count");
const QString keyRepeatSelected = QStringLiteral("repeat_settings_selected");
const QString keyRegularity = QStringLiteral("regularity");
const QString keyManaged = QStringLiteral("preset_managed");
} // namespace

Preset::Preset(const QJsonObject &object)
{
    using namespace JsonNumbers;

    if (object.contains(keyId)) {
        m_id = QUuid::fromString(object.value(keyId).toString());
    } else {
        m_id = QUuid::createUuid();
    }
    m_name = object.value(keyName).toString();
    m_presetType = toInt32(object.value(keyType));
#ifdef ZEL_CLIENT
    m_action = Action(toInt32(object.value(keyAction)));
#else
    m_actionType = toInt32(object.value(keyAction));
#endif
    m_force = object.value(keyForce).toBool(false);

    if (object.contains(keyTimer)) {
        const QJsonObject timer = object.value(keyTimer).toObject();
        m_timer.timeout = toUInt64(timer.value(keyTimeout));
        m_timer.notify = toUInt64(timer.value(keyNotify));
        m_timer.remainingTime = toUInt64(timer.value(keyRemaining));
    }
#ifndef ZEL_CLIENT
    // The service resumes a countdown without a saved remaining time from its
    // full length.
    if (m_timer.remainingTime == 0) {
        m_timer.remainingTime = m_timer.timeout;
    }
#endif

    if (object.contains(keySchedule)) {
        const QJsonObject schedule = object.value(keySchedule).toObject();
        m_schedule.start = toUInt64(schedule.value(keyStart));
        m_schedule.end = toUInt64(schedule.value(keyEnd));
        m_schedule.notify = toUInt64(schedule.value(keyNotify));
        const QJsonObject repeat = schedule.value(keyRepeat).toObject();
        m_schedule.repeat.type = toInt32(repeat.value(keyRepeatType));
        m_schedule.repeat.customType = toInt32(repeat.value(keyRepeatCustomType));
        m_schedule.repeat.count = toInt32(repeat.value(keyRepeatCount));
        const QJsonArray selected = repeat.value(keyRepeatSelected).toArray();
        for (const QJsonValue &day : selected) {
            m_schedule.repeat.selected.insert(toInt32(day));
        }
    }

    if (object.contains(keyInterval)) {
        const QJsonObject interval = object.value(keyInterval).toObject();
        m_interval.start = toUInt64(interval.value(keyStart));
        m_interval.end = toUInt64(interval.value(keyEnd));
        m_interval.regularity = toInt32(interval.value(keyRegularity));
    }

    if (object.contains(keyRunning)) {
        m_running = object.value(keyRunning).toBool(false);
    }
    if (object.contains(keyPaused)) {
        m_paused = object.value(keyPaused).toBool(false);
    }
#ifdef ZEL_CLIENT
    // Clients learn from the service that a preset is managed, not what the
    // user may do with it. The service never takes it from JSON: no client
    // can make a preset managed.
    if (object.value(keyManaged).toBool(false)) {
        m_managed = ManagedRights();
    }
#endif
}

QJsonObject Preset::toJsonObject() const
{
    using namespace JsonNumbers;

    QJsonArray selected;
    for (qint32 day : m_schedule.repeat.selected) {
        selected.append(day);
    }
    const QJsonObject repeat{
        {keyRepeatType, m_schedule.repeat.type},
        {keyRepeatCustomType, m_schedule.repeat.customType},
        {keyRepeatCount, m_schedule.repeat.count},
        {keyRepeatSelected, selected},
    };
    const QJsonObject timer{
        {keyTimeout, fromUInt64(m_timer.timeout)},
        {keyNotify, fromUInt64(m_timer.notify)},
        {keyRemaining, fromUInt64(m_timer.remainingTime)},
    };
    const QJsonObject schedule{
        {keyStart, fromUInt64(m_schedule.start)},
        {keyEnd, fromUInt64(m_schedule.end)},
        {keyNotify, fromUInt64(m_schedule.notify)},
        {keyRepeat, repeat},
    };
    const QJsonObject interval{
        {keyStart, fromUInt64(m_interval.start)},
        {keyEnd, fromUInt64(m_interval.end)},
        {keyRegularity, int32FromInt64(m_interval.regularity)},
    };
    QJsonObject object{
        {keyId, m_id.toString()},
        {keyName, m_name},
        {keyType, m_presetType},
        {keyAction, actionType()},
        {keyForce, m_force},
        {keyRunning, m_running},
        {keyPaused, m_paused},
        {keyTimer, timer},
        {keySchedule, schedule},
        {keyInterval, interval},
    };
    if (m_managed) {
        object.insert(keyManaged, true);
    }
    return object;
}

QString Preset::toJson() const
{
    return QString::fromUtf8(QJsonDocument(toJsonObject()).toJson(QJsonDocument::Compact));
}

#ifndef ZEL_CLIENT

Preset::Ptr Preset::make(const QJsonObject &object)
{
    return std::make_shared<Preset>(object);
}

Preset::Ptr Preset::make(const QString &json)
{
    return make(QJsonDocument::fromJson(json.toUtf8()).object());
}

Preset::Ptr Preset::make(const Preset &other)
{
    return std::make_shared<Preset>(other);
}

QString Preset::actionName() const
{
    return ActionType::displayName(m_actionType);
}

#endif
