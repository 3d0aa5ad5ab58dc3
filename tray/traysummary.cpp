// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "traysummary.h"

#include "occurrence.h"
#include "presettext.h"

#include <QCoreApplication>

#include <algorithm>

namespace TraySummary
{
namespace
{
constexpr qint64 minute = 60 * 1000;

QString tr(const char *text, const char *comment = nullptr, int n = -1)
{
    return QCoreApplication::translate("TraySummary", text, comment, n);
}

struct Running
{
    const Planned *planned;
    QDateTime next; // invalid: no further action
};

QDateTime earliest(const QDateTime &a, const QDateTime &b)
{
    if (!a.isValid()) {
        return b;
    }
    return b.isValid() && b < a ? b : a;
}

// The warning lead of a running preset; 0 when it has none.
qint64 leadOf(const Preset &preset)
{
    switch (preset.presetType()) {
    case PresetType::Timer:
        return qint64(std::min<quint64>(preset.timer().notify, quint64(Occurrence::lastMSecs)));
    case PresetType::Scheduled:
        // The service gives no warning under a second.
        return preset.schedule().notify >= 1000 ? qint64(std::min<quint64>(preset.schedule().notify, quint64(Occurrence::lastMSecs))) : 0;
    }
    return 0;
}

QString entryText(const Running &running, const QDateTime &now, const QLocale &locale)
{
    const Preset &preset = running.planned->preset;
    QString when = PresetText::nextAction(QDateTime(), now, locale); // "no further action"
    if (running.next.isValid()) {
        const QString at = PresetText::countdownEnd(running.next, now, locale);
        when = tr("%1 · %2", "when: at 22:00 · in 14 min").arg(at, PresetText::timeUntil(now.msecsTo(running.next)));
    }
    const QString text = tr("%1 %2", "an action and when: Shut Down at 22:00 · in 14 min").arg(preset.action().displayName(), when);
    return running.planned->customName ? tr("%1 (%2)", "an action and when, then the preset's name").arg(text, preset.name()) : text;
}
} // namespace

Summary summarize(const std::vector<Planned> &planned, const QDateTime &now, const QLocale &locale)
{
    std::vector<Running> running;
    for (const Planned &p : planned) {
        if (!p.preset.isRunning() || p.preset.isPaused()) {
            continue;
        }
        const QDateTime next = p.preset.presetType() == PresetType::Timer ? p.countdownEnd : Occurrence::nextAction(p.preset, now);
        running.push_back({&p, next});
    }
    Summary summary;
    if (running.empty()) {
        return summary;
    }
    // Soonest first, those without a further action last; ties by id, so
    // that the menu keeps its order.
    std::sort(running.begin(), running.end(), [](const Running &a, const Running &b) {
        if (a.next.isValid() != b.next.isValid()) {
            return a.next.isValid();
        }
        if (a.next != b.next) {
            return a.next < b.next;
        }
        return a.planned->preset.id() < b.planned->preset.id();
    });

    summary.status = Status::Active;
    const QDateTime nextMidnight(now.date().addDays(1), QTime(0, 0));
    summary.refreshAt = nextMidnight; // "tomorrow" becomes "today"
    QStringList others;
    for (const Running &r : running) {
        const Preset &preset = r.planned->preset;
        const QString text = entryText(r, now, locale);
        summary.entries.push_back({preset.id(), text, preset.presetType() != PresetType::Range});
        if (summary.entries.size() > 1) {
            others << text;
        }
        if (!r.next.isValid()) {
            continue;
        }
        const qint64 left = now.msecsTo(r.next);
        const qint64 lead = leadOf(preset);
        if (lead > 0 && left <= lead) {
            summary.status = Status::NeedsAttention;
        } else if (lead > 0) {
            summary.refreshAt = earliest(summary.refreshAt, r.next.addMSecs(-lead));
        }
        // "in 14 min" turns into "in 13 min" one millisecond after a whole
        // number of minutes is left.
        if (left >= 0) {
            summary.refreshAt = earliest(summary.refreshAt, now.addMSecs(left % minute + 1));
        }
    }
    summary.refreshAt = earliest(summary.refreshAt, now.addMSecs(minute));
    summary.iconName = running.front().planned->preset.action().iconName();
    const QString first = summary.entries.front().text;
    summary.title = others.isEmpty() ? first : tr("%1; %n more planned", "the next action; how many other presets run", int(others.size())).arg(first);
    summary.toolTip = others.join(QLatin1Char('\n'));
    return summary;
}
} // namespace TraySummary
