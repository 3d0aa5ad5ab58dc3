// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "abstractworker.h"

#include "managedpresets.h"

#include <QMetaMethod>
#include <QVector>

AbstractWorker::AbstractWorker(Preset::Ptr preset, std::shared_ptr<WorkerEffects> effects)
    : QObject(nullptr), m_preset(std::move(preset)), m_effects(std::move(effects))
{
    Q_ASSERT(m_effects);
}

AbstractWorker::~AbstractWorker()
{
    withdrawWarning();
}

void AbstractWorker::showWarning(const QString &title, const QString &body, bool postpone, std::function<void(Choice)> chosen)
{
    withdrawWarning();
    // An administrator's preset offers only what the user may do.
    QStringList choices;
    QVector<Choice> offered;
    if (ManagedPresets::allows(m_preset->managed(), ManagedPresets::Change::Cancel)) {
        choices << tr("Cancel");
        offered << Cancel;
    }
    if (postpone && ManagedPresets::allows(m_preset->managed(), ManagedPresets::Change::Postpone)) {
        choices << tr("Postpone 10 minutes");
        offered << Postpone;
    }
    // The warning lives on this (the main) thread, and is withdrawn at the
    // latest when the worker goes: chosen never outlives the worker.
    m_warning = m_effects->warn(title, body, choices, [this, chosen, offered](int index) {
        if (index < 0 || index >= offered.size()) {
            return;
        }
        withdrawWarning();
        chosen(offered.at(index));
    });
}

void AbstractWorker::withdrawWarning()
{
    if (m_warning != 0) {
        m_effects->withdraw(m_warning);
        m_warning = 0;
    }
}

void AbstractWorker::setPreset(Preset::Ptr preset)
{
    m_preset = std::move(preset);
}

void AbstractWorker::postpone() { }

void AbstractWorker::restore()
{
    start();
}

void AbstractWorker::clockChanged(ClockChange) { }

void AbstractWorker::setWatched(bool) { }

void AbstractWorker::sendNotification() { }

void AbstractWorker::execute()
{
    executeWhenSaved(m_preset->actionType());
}

void AbstractWorker::report(bool durable)
{
    if (!m_abandoned) {
        Q_EMIT updatePreset(Preset::make(*m_preset), durable);
    }
}

void AbstractWorker::acknowledge(quint64 token)
{
    Q_EMIT acknowledged(token);
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

void AbstractWorker::saved(bool onDisk, const QString &problem)
{
    if (m_actionsWaitingForSave.empty()) {
        return;
    }
    const qint32 action = m_actionsWaitingForSave.front();
    m_actionsWaitingForSave.pop_front();
    if (onDisk) {
        runAction(action);
        return;
    }
    // Carried out now, the action could be carried out again after a restart.
    m_effects->tellFailure(action, ActionFailure::Reason::NotSaved, problem);
    if (m_preset->isRunning()) {
        stop();
    }
}

void AbstractWorker::runAction(qint32 action)
{
    // Turn On never goes to the desktop: a schedule's is handled where it
    // falls (OccurrenceWorker), and a countdown never runs one (PresetRules)
    // unless a client made it run by storing it so.
    if (m_abandoned || action == ActionType::TurnOn) {
        return;
    }
    // The answer reaches this worker only while it lives: one deleted
    // meanwhile has dropped the action, which is not told.
    m_effects->carryOut(action, this, [this, action](ActionFailure::Reason reason, const QString &detail) {
        if (reason != ActionFailure::Reason::None) {
            m_effects->tellFailure(action, reason, detail);
        }
    });
}
