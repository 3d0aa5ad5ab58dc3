// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "abstractworker.h"

#include "executor.h"

#include <QMetaMethod>

AbstractWorker::AbstractWorker(Preset::Ptr preset) : QObject(nullptr), m_preset(std::move(preset)) { }

AbstractWorker::~AbstractWorker() = default;

void AbstractWorker::setPreset(Preset::Ptr preset)
{
    m_preset = std::move(preset);
}

void AbstractWorker::sendNotification() { }

void AbstractWorker::execute()
{
    runAction(m_preset->actionType());
}

void AbstractWorker::report()
{
    Q_EMIT updatePreset(Preset::make(*m_preset));
}

void AbstractWorker::executeWhenSaved(qint32 action)
{
    if (!isSignalConnected(QMetaMethod::fromSignal(&AbstractWorker::saveRequested))) {
        runAction(action);
        return;
    }
    m_actionsWaitingForSave.push_back(action);
    Q_EMIT saveRequested();
}

void AbstractWorker::actionSaved()
{
    if (m_actionsWaitingForSave.empty()) {
        return;
    }
    const qint32 action = m_actionsWaitingForSave.front();
    m_actionsWaitingForSave.pop_front();
    runAction(action);
}

void AbstractWorker::runAction(qint32 action)
{
    Executor().exec(static_cast<ActionType::Value>(action));
}
