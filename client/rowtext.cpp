// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "rowtext.h"

#include "occurrence.h"
#include "presettext.h"
#include "translations.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace RowText
{
namespace
{
constexpr qint64 second = 1000;
constexpr qint64 minute = 60 * second;

QString tr(const char *text, const char *comment = nullptr, int n = -1)
{
    return QCoreApplication::translate("RowText", text, comment, n);
}

// The first letter in upper case: the texts of PresetText begin a line here.
QString capitalised(QString text)
{
    if (!text.isEmpty()) {
        text[0] = text.at(0).toUpper();
    }
    return text;
}

// Counts in words. The source texts are English, whose 1 takes the
// singular; a translation's plural forms cover every other count.
QString seconds(qint64 n)
{
    return n == 1 ? tr("1 second") : tr("%n seconds", nullptr, int(n));
}

QString minutes(qint64 n)
{
    return n == 1 ? tr("1 minute") : tr("%n minutes", nullptr, int(n));
}

QString hours(qint64 n)
{
    return n == 1 ? tr("1 hour") : tr("%n hours", nullptr, int(std::min<qint64>(n, std::numeric_limits<int>::max())));
}

// A duration in words, rounded up to whole seconds under a minute and to
// whole minutes beyond: a countdown with 9:59 left has 10 minutes left.
QString duration(quint64 msecs)
{
    const qint64 wholeSeconds = qint64((msecs + second - 1) / second);
    if (wholeSeconds < 60) {
        return seconds(wholeSeconds);
    }
    const qint64 wholeMinutes = qint64((msecs + minute - 1) / minute);
    if (wholeMinutes < 60) {
        return minutes(wholeMinutes);
    }
    if (wholeMinutes % 60 == 0) {
        return hours(wholeMinutes / 60);
    }
    return tr("%1 %2", "a duration: %1 hours, %2 minutes").arg(hours(wholeMinutes / 60), minutes(wholeMinutes % 60));
}

QString stateWord(const Preset &preset, bool stored)
{
    if (!stored) {
        return tr("not applied yet");
    }
    if (preset.isPaused()) {
        return tr("paused");
    }
    return preset.isRunning() ? tr("running") : tr("stopped");
}

bool isRunning(const Preset &preset)
{
    return preset.isRunning() && !preset.isPaused();
}
} // namespace

bool isCustomName(const QString &name, const QStringList &actionNames)
{
    if (name.trimmed().isEmpty()) {
        return false;
    }
    for (const QString &action : actionNames) {
        if (name == action) {
            return false;
        }
        if (name.startsWith(action + QLatin1Char(' '))) {
            const QString rest = name.mid(action.size() + 1);
            if ((!rest.isEmpty() && rest.at(0).isDigit()) || rest == QLatin1String("Timer")) {
                return false;
            }
        }
    }
    return true;
}

QString title(const Preset &preset, bool customName)
{
    if (preset.presetType() == PresetType::Timer) {
        const QString name = customName ? preset.name() : preset.action().displayName();
        return tr("%1 %2", "a preset's title: its name, when it acts").arg(name, PresetText::timeLeft(preset.timer().remainingTime));
    }
    return customName ? preset.name() : PresetText::defaultName(preset);
}

QString status(const Preset &preset, bool stored, const QDateTime &countdownEnd, const QDateTime &now, const QLocale &locale)
{
    if (!stored) {
        return tr("Not applied yet");
    }
    if (preset.isPaused()) {
        return tr("Paused");
    }
    if (!preset.isRunning()) {
        return tr("Stopped");
    }
    if (preset.presetType() == PresetType::Timer) {
        return countdownEnd.isValid() ? tr("Ends %1", "%1 when: at 14:35, tomorrow at 14:35").arg(PresetText::countdownEnd(countdownEnd, now, locale))
                                      : tr("Running");
    }
    return capitalised(PresetText::nextAction(Occurrence::nextAction(preset, now), now, locale));
}

QString sentence(const Preset &preset, bool customName, bool stored, const QDateTime &now, const QLocale &locale)
{
    const QString name = customName ? preset.name() : preset.action().displayName();
    const QString state = stateWord(preset, stored);
    switch (preset.presetType()) {
    case PresetType::Timer:
        if (preset.isRunning() || preset.isPaused()) {
            return tr("%1, countdown, %2 left, %3", "read aloud: name, time left, running or paused").arg(name, duration(preset.timer().remainingTime), state);
        }
        return tr("%1, countdown of %2, %3", "read aloud: name, length, stopped or not applied yet").arg(name, duration(preset.timer().timeout), state);
    case PresetType::Scheduled: {
        const QString when =
            isRunning(preset) ? PresetText::nextAction(Occurrence::nextAction(preset, now), now, locale) : PresetText::repetition(preset.schedule(), locale);
        return tr("%1, schedule, %2, %3", "read aloud: name, next action or repetition, running or not").arg(name, when, state);
    }
    case PresetType::Range: {
        const QString when =
            isRunning(preset) ? PresetText::nextAction(Occurrence::nextAction(preset, now), now, locale) : PresetText::window(preset.interval(), locale);
        return tr("%1, daily window, %2, %3", "read aloud: name, next action or window, running or not").arg(name, when, state);
    }
    }
    return tr("%1, %2", "read aloud: name, running or not").arg(name, state);
}

bool followsClock(const Preset &preset)
{
    return isRunning(preset) && (preset.presetType() == PresetType::Scheduled || preset.presetType() == PresetType::Range);
}
QStringList actionNames()
{
    QList<const char *> sources;
    for (int type = ActionType::TurnOn; type <= ActionType::EndSession; ++type) {
        sources << ActionType::sourceName(type);
    }
    QStringList names = Translations::inEveryLanguage(QStringLiteral("zel-scheduler-common"), "Action", sources);
    for (int type = ActionType::TurnOn; type <= ActionType::EndSession; ++type) {
        names << ActionType::displayName(type);
    }
    names.removeDuplicates();
    return names;
}

QDateTime countdownEnd(const Preset &preset, const QDateTime &previous, const QDateTime &now)
{
    if (preset.presetType() != PresetType::Timer || !preset.isRunning() || preset.isPaused()) {
        return QDateTime();
    }
    constexpr qint64 jitter = 2000;
    const QDateTime end = now.addMSecs(qint64(std::min<quint64>(preset.timer().remainingTime, quint64(Occurrence::lastMSecs))));
    return previous.isValid() && std::abs(previous.msecsTo(end)) <= jitter ? previous : end;
}
} // namespace RowText
