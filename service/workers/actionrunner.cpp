// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionrunner.h"

#include "actionfailure.h"
#include "executor.h"

void ActionRunner::run(qint32 action)
{
    if (m_flags->abandoned) {
        return;
    }
    m_flags->inAction = true;
    Executor executor(&m_flags->abandoned);
    const bool done = executor.exec(action);
    m_flags->inAction = false;
    if (!done) {
        ActionFailure::tell(action, executor.failure());
    }
}
