// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// What becomes of an occurrence or a warning judged late, early or again.

#include "duepolicy.h"
#include "zeltest.h"

using DuePolicy::Verdict;

Q_DECLARE_METATYPE(Verdict)

namespace
{
const QDateTime due(QDate(2026, 1, 5), QTime(10, 0), Qt::UTC);

QDateTime after(qint64 msecs)
{
    return due.addMSecs(msecs);
}
} // namespace

class DuePolicyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judge_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("lastHandled");
        QTest::addColumn<Verdict>("expected");
        const QDateTime none;
        QTest::newRow("a second early") << after(-1000) << none << Verdict::NotYet;
        QTest::newRow("at its moment") << due << none << Verdict::OnTime;
        QTest::newRow("within its second") << after(999) << none << Verdict::OnTime;
        QTest::newRow("a second late") << after(1000) << none << Verdict::Late;
        QTest::newRow("a minute late") << after(DuePolicy::lateLimitMSecs) << none << Verdict::Late;
        QTest::newRow("past the limit") << after(DuePolicy::lateLimitMSecs + 1) << none << Verdict::Missed;
        QTest::newRow("after a night's sleep") << after(8 * 3600 * 1000) << none << Verdict::Missed;
        QTest::newRow("clock set back after handling") << after(-20000) << due << Verdict::Handled;
        QTest::newRow("handled, judged again late") << after(30000) << due << Verdict::Handled;
        QTest::newRow("an earlier one handled") << due << after(-86400000) << Verdict::OnTime;
    }

    void judge()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, lastHandled);
        QFETCH(Verdict, expected);
        QCOMPARE(DuePolicy::judge(due, now, lastHandled), expected);
    }

    void judgeWarning_data()
    {
        QTest::addColumn<QDateTime>("occurrence");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("lastWarned");
        QTest::addColumn<Verdict>("expected");
        const QDateTime none;
        const QDateTime hourLater = after(3600 * 1000);
        QTest::newRow("before its moment") << hourLater << after(-1) << none << Verdict::NotYet;
        QTest::newRow("at its moment") << hourLater << due << none << Verdict::OnTime;
        QTest::newRow("half a minute late") << hourLater << after(30000) << none << Verdict::Late;
        QTest::newRow("past the limit: dropped") << hourLater << after(DuePolicy::lateLimitMSecs + 1) << none << Verdict::Missed;
        QTest::newRow("its occurrence has come: dropped") << after(20000) << after(20000) << none << Verdict::Missed;
        QTest::newRow("already warned") << hourLater << due << hourLater << Verdict::Handled;
    }

    void judgeWarning()
    {
        QFETCH(QDateTime, occurrence);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, lastWarned);
        QFETCH(Verdict, expected);
        QCOMPARE(DuePolicy::judgeWarning(due, occurrence, now, lastWarned), expected);
    }
};

ZEL_TEST_MAIN(DuePolicyTest)

#include "duepolicytest.moc"
