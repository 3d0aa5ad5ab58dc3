// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionrunner.h"

void ActionRunner::run(qint32 action)
{
    if (m_flags->abandoned) {
        return;
    }
    m_flags->inAction = true;
    const ActionFailure::Reason failure = m_effects->carryOut(action, m_flags->abandoned);
    m_flags->inAction = false;
    if (failure != ActionFailure::Reason::None) {
        m_effects->tellFailure(action, failure, QString());
    }
}
