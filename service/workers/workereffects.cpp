// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workereffects.h"

#include "executor.h"
#include "notificator.h"
#include "postponements.h"

namespace
{
// Keeps no state: Notificator::failed() hands its work to the main thread and
// an Executor is made for each action, so the action threads share nothing
// here.
class DesktopEffects : public WorkerEffects
{
public:
    quint32 warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen) override
    {
        return Notificator().warn(title, body, choices, std::move(chosen));
    }

    void withdraw(quint32 id) override { Notificator().withdraw(id); }

    void tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail) override { ActionFailure::tell(action, reason, detail); }

    void notePostponed(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment) override
    {
        Postponements::note(preset, action, original, moment);
    }

    void dropPostponed(const QUuid &preset) override { Postponements::drop(preset); }

    QDateTime lostOriginal(const QUuid &preset) const override { return Postponements::lostOriginal(preset); }

    ActionFailure::Reason carryOut(qint32 action, const std::atomic<bool> &abandoned) override
    {
        Executor executor(&abandoned);
        return executor.exec(action) ? ActionFailure::Reason::None : executor.failure();
    }
};
} // namespace

std::shared_ptr<WorkerEffects> WorkerEffects::desktop()
{
    Postponements::tellLeftOver();
    return std::make_shared<DesktopEffects>();
}
