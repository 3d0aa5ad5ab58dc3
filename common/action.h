// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "enumerations.h"

#include <QString>

// The client's form of an action: its type and whether the machine supports
// it. It is a row of the action list and the action of a client preset.
class Action
{
    Q_GADGET
    Q_PROPERTY(int type READ type)
    Q_PROPERTY(bool enabled READ isEnabled)
    Q_PROPERTY(QString name READ displayName)
    Q_PROPERTY(QString icon READ iconName)
public:
    Action() = default;
    explicit Action(qint32 type, bool enabled = true) : m_type(type), m_enabled(enabled) { }

    qint32 type() const { return m_type; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    QString displayName() const { return ActionType::displayName(m_type); }
    QString iconName() const { return ActionType::iconName(m_type); }

    bool operator==(const Action &other) const { return m_type == other.m_type && m_enabled == other.m_enabled; }

private:
    qint32 m_type = ActionType::Shutdown;
    bool m_enabled = true;
};
