// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The workers' effects in the timing-engine tests: recorded, never done.
// Nothing here acts on the machine or the desktop.

#include "workereffects.h"

#include <QMutex>
#include <QThread>
#include <QVector>

#include <map>

class RecordingEffects : public WorkerEffects
{
public:
    struct Warning
    {
        QString title;
        QString body;
        QStringList choices;
        quint32 id;
        QDateTime at;
    };
    struct Failure
    {
        qint32 action;
        ActionFailure::Reason reason;
        QString detail;
    };
    struct Execution
    {
        qint32 action;
        QDateTime at;
        Qt::HANDLE thread;
    };

    // clock stamps warnings and executions; the system's clock if none. It is
    // read on the action threads too.
    explicit RecordingEffects(std::function<QDateTime()> clock = {});

    struct Records
    {
        QVector<Warning> warnings;
        QVector<quint32> withdrawn; // warning ids, in order
        QVector<Failure> failures;
        // "note <original> <moment>" and "drop", times as hh:mm:ss, in order.
        QStringList postponements;
        QVector<Execution> executions;
    };

    // What was recorded so far.
    Records records() const;

    // The user picks choice index of warning id, if it is still open.
    void choose(quint32 id, int index);
    void setLostOriginal(const QUuid &preset, const QDateTime &original);
    // Runs inside carryOut(), on the action's thread, before it returns.
    void setOnCarryOut(std::function<void(qint32 action, const std::atomic<bool> &abandoned)> hook);

    quint32 warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen) override;
    void withdraw(quint32 id) override;
    void tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail) override;
    void notePostponed(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment) override;
    void dropPostponed(const QUuid &preset) override;
    QDateTime lostOriginal(const QUuid &preset) const override;
    ActionFailure::Reason carryOut(qint32 action, const std::atomic<bool> &abandoned) override;

private:
    const std::function<QDateTime()> m_clock;
    // carryOut() and tellFailure() come from the action threads; every
    // record is taken and read under this lock.
    mutable QMutex m_mutex;
    Records m_records;
    std::map<quint32, std::function<void(int)>> m_open;
    std::map<QUuid, QDateTime> m_lostOriginals;
    std::function<void(qint32, const std::atomic<bool> &)> m_onCarryOut;
};
