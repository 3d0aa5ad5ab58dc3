// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "abstractworker.h"
#include "preset.h"

#include <QObject>
#include <QUuid>

#include <memory>

// Owns a worker; both live on the main thread. Commands reach the worker as
// queued invocations, so that each is carried out after the bus call that
// asked for it has returned, in order.
//
// Nothing waits for an action (a password dialog may stay open for minutes):
// a wrapper going away abandons its worker and deletes it at once, which
// drops the actions it has waiting (see WorkerEffects::carryOut).
class WorkerWrapper : public QObject
{
    Q_OBJECT
public:
    WorkerWrapper(AbstractWorker *worker, QObject *parent);
    ~WorkerWrapper() override;

    void start();
    void restore();
    void pause();
    void stop();
    void postpone();
    // Hands the worker a copy of preset, so that no object the store keeps
    // is ever changed by a worker.
    void setPreset(const Preset::Ptr &preset);
    void clockChanged(AbstractWorker::ClockChange change);
    // Called on the worker directly, unlike the commands: the reports it
    // makes on the way are stored when this returns, so that the answer to
    // the bus call that made a client watch carries the time of that moment.
    void setWatched(bool watched);
    // Asks the worker to answer acknowledged(token) once the commands sent
    // before are done.
    void acknowledge(quint64 token);
    // The answer to saveRequested().
    void confirmSaved(bool onDisk, const QString &problem);

    int type() const;
    QUuid uuid() const { return m_uuid; }

Q_SIGNALS:
    void updatePreset(Preset::Ptr preset, bool durable);
    void saveRequested();
    void acknowledged(quint64 token);

private:
    template<typename... Arguments>
    void invoke(const char *slot, Arguments... arguments);

    std::unique_ptr<AbstractWorker> m_worker;
    QUuid m_uuid;
    int m_type;
};
