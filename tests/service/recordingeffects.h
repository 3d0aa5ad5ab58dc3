// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The workers' effects in the timing-engine tests: recorded, never done.
// Nothing here acts on the machine or the desktop.

#include "workereffects.h"

#include <QPointer>
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

    // clock stamps warnings and executions; the system's clock if none.
    explicit RecordingEffects(std::function<QDateTime()> clock = {});

    struct Records
    {
        QVector<Warning> warnings;
        QVector<quint32> withdrawn; // warning ids, in order
        QVector<Failure> failures;
        // "note <original> <moment>" and "drop", times as hh:mm:ss, in order.
        QStringList postponements;
        QVector<Execution> executions;
        QStringList woken; // the names told by tellWoken(), in order
    };

    // What was recorded so far.
    Records records() const;

    // The user picks choice index of warning id, if it is still open.
    void choose(quint32 id, int index);
    void setLostOriginal(const QUuid &preset, const QDateTime &original);
    // Runs inside carryOut(), before it returns.
    void setOnCarryOut(std::function<void(qint32 action)> hook);
    // While set, actions started are held, as by a password dialog left
    // open, until release(); otherwise each is done from the event loop.
    void setHolding(bool holding);
    // Answers the held actions whose worker still lives with reason.
    void release(ActionFailure::Reason reason = ActionFailure::Reason::None);
    // How many held actions were dropped: their worker went first.
    int dropped() const;

    quint32 warn(const QString &title, const QString &body, const QStringList &choices, std::function<void(int)> chosen) override;
    void withdraw(quint32 id) override;
    void tellFailure(qint32 action, ActionFailure::Reason reason, const QString &detail) override;
    void tellWoken(const QString &name) override;
    void notePostponed(const QUuid &preset, qint32 action, const QDateTime &original, const QDateTime &moment) override;
    void dropPostponed(const QUuid &preset) override;
    QDateTime lostOriginal(const QUuid &preset) const override;
    void carryOut(qint32 action, QObject *context, Done done) override;

private:
    struct Held
    {
        QPointer<QObject> context;
        Done done;
    };

    const std::function<QDateTime()> m_clock;
    Records m_records;
    std::map<quint32, std::function<void(int)>> m_open;
    std::map<QUuid, QDateTime> m_lostOriginals;
    std::function<void(qint32)> m_onCarryOut;
    bool m_holding = false;
    QVector<Held> m_held;
};
