// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "workereffects.h"

#include "actionjob.h"
#include "notificator.h"
#include "postponements.h"

namespace
{
// Keeps no state: each action is a job of its own.
class DesktopEffects : public WorkerEffects
{
public:
    quint32 warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen) override
    {
        return Notificator().warn(title, body, choices, std::move(chosen));
    }

    void withdraw(quint32 id) override { Notificator().withdraw(id); }

    void tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail) override { ActionFailure::tell(action, reason, detail); }

    void tellWoken(const QString &name) override { Notificator().woken(name); }

    void notePostponed(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment) override
    {
        Postponements::note(preset, action, original, moment);
    }

    void dropPostponed(const QUuid &preset) override { Postponements::drop(preset); }

    QDateTime lostOriginal(const QUuid &preset) const override { return Postponements::lostOriginal(preset); }

    void carryOut(qint32 action, QObject *context, Done done) override
    {
        // Not a child of context: a job that has sent its command lives on
        // until the peer answers, whatever became of the preset.
        auto *job = new ActionJob(action);
        QObject::connect(job, &ActionJob::finished, job, &QObject::deleteLater);
        QObject::connect(job, &ActionJob::finished, context, [job, done = std::move(done)] { done(job->reason(), job->detail()); });
        QObject::connect(context, &QObject::destroyed, job, &ActionJob::abandon);
        job->start();
    }
};
} // namespace

std::shared_ptr<WorkerEffects> WorkerEffects::desktop()
{
    Postponements::tellLeftOver();
    return std::make_shared<DesktopEffects>();
}
