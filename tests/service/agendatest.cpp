// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// What a running schedule or window does at each look at the clock: looks in
// order (the clock may go back between them), with the real occurrence rules.

#include "agenda.h"
#include "zeltest.h"

namespace
{
const QDate monday(2026, 1, 5);

QDateTime at(const QString &text)
{
    // "Mon 10:00:00.250": a day of the week of 5 to 11 January 2026.
    const QStringList parts = text.split(QLatin1Char(' '));
    const QStringList days = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return QDateTime(monday.addDays(days.indexOf(parts.at(0))), QTime::fromString(parts.at(1), parts.at(1).contains('.') ? "hh:mm:ss.zzz" : "hh:mm:ss"));
}

QString show(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("ddd hh:mm:ss"));
}

Agenda::Rules window(const QString &open, const QString &close, qint64 period)
{
    IntervalSettings settings;
    settings.start = quint64(QTime::fromString(open, "hh:mm:ss").msecsSinceStartOfDay());
    settings.end = quint64(QTime::fromString(close, "hh:mm:ss").msecsSinceStartOfDay());
    settings.regularity = period;
    return {[settings](const QDateTime &moment) { return Occurrence::firstAtOrAfter(settings, moment); }, {}};
}

Agenda::Rules schedule(int type, qint64 lead, std::set<qint32> weekdays = {}, const QString &end = QStringLiteral("Sun 23:00:00"))
{
    ScheduleSettings settings;
    settings.start = quint64(at(QStringLiteral("Mon 10:00:00")).toMSecsSinceEpoch());
    settings.end = quint64(at(end).toMSecsSinceEpoch());
    settings.notify = quint64(lead);
    settings.repeat.type = type;
    settings.repeat.customType = RepeatCustomType::Weeks;
    settings.repeat.selected = std::move(weekdays);
    return {[settings](const QDateTime &moment) { return Occurrence::firstAtOrAfter(settings, moment); },
        [settings](const QDateTime &moment) { return Occurrence::nextWarning(settings, moment); }};
}
} // namespace

Q_DECLARE_METATYPE(Agenda::Rules)

class AgendaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void looks_data()
    {
        QTest::addColumn<Agenda::Rules>("rules");
        QTest::addColumn<QString>("floor"); // when it was started
        QTest::addColumn<QStringList>("looks"); // the clock at each look
        // Per look: s(kipped), c(arried out), w(arned of), f(inished), @ wake.
        QTest::addColumn<QStringList>("expected");

        const Agenda::Rules everyTen = window("10:00:00", "10:05:00", 10000);
        QTest::newRow("on time, then asleep until the next")
            << everyTen << "Mon 09:00:00" << QStringList{"Mon 09:00:00", "Mon 10:00:00.200"} << QStringList{"@Mon 10:00:00", "c Mon 10:00:00 @Mon 10:00:10"};
        QTest::newRow("clock set back after an action: nothing again")
            << everyTen << "Mon 09:00:00" << QStringList{"Mon 10:00:00.200", "Mon 09:59:45", "Mon 10:00:00.500"}
            << QStringList{"c Mon 10:00:00 @Mon 10:00:10", "@Mon 10:00:10", "@Mon 10:00:10"};
        QTest::newRow("stalled 25 s: the latest once, late")
            << everyTen << "Mon 09:00:00" << QStringList{"Mon 10:00:25"} << QStringList{"c Mon 10:00:20 @Mon 10:00:30"};
        QTest::newRow("a minute late: still carried out")
            << everyTen << "Mon 09:00:00" << QStringList{"Mon 10:01:00"} << QStringList{"c Mon 10:01:00 @Mon 10:01:10"};
        QTest::newRow("past a minute: skipped and told, the late one carried out")
            << everyTen << "Mon 09:00:00" << QStringList{"Mon 10:03:05"} << QStringList{"s Mon 10:00:00 c Mon 10:03:00 @Mon 10:03:10"};
        QTest::newRow("asleep all night: skipped, then tomorrow")
            << everyTen << "Mon 09:00:00" << QStringList{"Tue 08:00:00"} << QStringList{"s Mon 10:00:00 @Tue 10:00:00"};
        QTest::newRow("nothing made up from before the start") << everyTen << "Mon 10:00:35" << QStringList{"Mon 10:00:35.500"} << QStringList{"@Mon 10:00:40"};

        const Agenda::Rules once = schedule(RepeatType::Never, 60000, {}, QStringLiteral("Mon 10:00:30"));
        QTest::newRow("warned a lead before, then the last one stops")
            << once << "Mon 09:00:00" << QStringList{"Mon 09:59:00.010", "Mon 10:00:00.010"} << QStringList{"w Mon 10:00:00 @Mon 10:00:00", "c Mon 10:00:00 f"};
        QTest::newRow("a warning late within a minute") << once << "Mon 09:00:00" << QStringList{"Mon 09:59:40"} << QStringList{"w Mon 10:00:00 @Mon 10:00:00"};
        QTest::newRow("a one-off skipped ends") << once << "Mon 09:00:00" << QStringList{"Mon 10:05:00"} << QStringList{"s Mon 10:00:00 f"};
        const Agenda::Rules longLead = schedule(RepeatType::EveryDay, 300000);
        QTest::newRow("a warning passed by more than a minute is dropped")
            << longLead << "Mon 09:00:00" << QStringList{"Mon 09:57:00"} << QStringList{"@Mon 10:00:00"};
        QTest::newRow("no warning for what is already handled")
            << longLead << "Mon 09:00:00" << QStringList{"Mon 10:00:00.100", "Mon 09:56:00"} << QStringList{"c Mon 10:00:00 @Tue 09:55:00", "@Tue 09:55:00"};

        // Choices on a warning: "cancel <occurrence>", "postpone <occurrence>".
        const Agenda::Rules daily = schedule(RepeatType::EveryDay, 60000);
        QTest::newRow("cancelled: that one only") << daily << "Mon 09:00:00" << QStringList{"Mon 09:59:00.010", "cancel Mon 10:00:00", "Mon 10:00:00.010"}
                                                  << QStringList{"w Mon 10:00:00 @Mon 10:00:00", "ok", "@Tue 09:59:00"};
        QTest::newRow("postponed: warned again at its time, carried out ten minutes later, once")
            << daily << "Mon 09:00:00" << QStringList{"Mon 09:59:00.010", "postpone Mon 10:00:00", "Mon 10:00:00.010", "Mon 10:10:00.010", "Mon 10:10:05"}
            << QStringList{"w Mon 10:00:00 @Mon 10:00:00", "ok", "w Mon 10:10:00 @Mon 10:10:00", "c Mon 10:10:00 @Tue 09:59:00", "@Tue 09:59:00"};
        QTest::newRow("postponed twice") << daily << "Mon 09:00:00"
                                         << QStringList{"postpone Mon 10:00:00", "postpone Mon 10:10:00", "Mon 10:10:00.010", "Mon 10:20:00.010"}
                                         << QStringList{"ok", "ok", "w Mon 10:20:00 @Mon 10:20:00", "c Mon 10:20:00 @Tue 09:59:00"};
        QTest::newRow("a choice after the action does nothing")
            << daily << "Mon 09:00:00" << QStringList{"Mon 10:00:00.100", "cancel Mon 10:00:00", "postpone Mon 10:00:00"}
            << QStringList{"c Mon 10:00:00 @Tue 09:59:00", "refused", "refused"};
        QTest::newRow("the last one cancelled: finished")
            << once << "Mon 09:00:00" << QStringList{"cancel Mon 10:00:00", "Mon 10:00:00.010"} << QStringList{"ok", "f"};
        QTest::newRow("the last one postponed: not finished before it comes")
            << once << "Mon 09:00:00" << QStringList{"postpone Mon 10:00:00", "Mon 10:00:00.010", "Mon 10:10:00.010"}
            << QStringList{"ok", "w Mon 10:10:00 @Mon 10:10:00", "c Mon 10:10:00 f"};

        // A lead of a day on Mondays and Tuesdays: Tuesday's warning comes
        // with Monday's action.
        const Agenda::Rules monTue = schedule(RepeatType::Custom, 24 * 3600 * 1000, {1, 2});
        QTest::newRow("Monday acts and warns for Tuesday") << monTue << "Mon 09:00:00" << QStringList{"Mon 10:00:00.100", "Tue 10:00:00.100"}
                                                           << QStringList{"c Mon 10:00:00 w Tue 10:00:00 @Tue 10:00:00", "c Tue 10:00:00 f"};
    }

    void looks()
    {
        QFETCH(Agenda::Rules, rules);
        QFETCH(QString, floor);
        QFETCH(QStringList, looks);
        QFETCH(QStringList, expected);
        Agenda::State state;
        state.floor = at(floor);
        state.warnedUpTo = state.floor;
        QStringList got;
        for (const QString &look : looks) {
            if (look.startsWith(QLatin1String("cancel ")) || look.startsWith(QLatin1String("postpone "))) {
                const QString occurrence = look.section(QLatin1Char(' '), 1);
                const bool done =
                    look.startsWith(QLatin1String("cancel")) ? Agenda::cancel(state, at(occurrence)) : Agenda::postpone(state, at(occurrence), 600000, true);
                got << (done ? "ok" : "refused");
                continue;
            }
            const Agenda::Step step = Agenda::evaluate(rules, state, at(look));
            QStringList parts;
            if (step.skipped.isValid()) {
                parts << "s " + show(step.skipped);
            }
            if (step.carryOut.isValid()) {
                parts << "c " + show(step.carryOut);
            }
            if (step.warn.isValid()) {
                parts << "w " + show(step.warn);
            }
            if (step.finished) {
                parts << "f";
            }
            if (step.wakeAt.isValid()) {
                parts << "@" + show(step.wakeAt);
            }
            got << parts.join(' ');
        }
        QCOMPARE(got, expected);
    }
};

ZEL_TEST_MAIN(AgendaTest)

#include "agendatest.moc"
