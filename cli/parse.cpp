// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "parse.h"

#include "occurrence.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace Parse
{
namespace
{
constexpr qint64 second = 1000;
constexpr qint64 minute = 60 * second;
constexpr qint64 hour = 60 * minute;
constexpr qint64 day = 24 * hour;

QString tr(const char *text, const char *comment = nullptr, int n = -1)
{
    return QCoreApplication::translate("Parse", text, comment, n);
}

const struct
{
    const char *name;
    qint32 type;
} actions[] = {
    {"shutdown", ActionType::Shutdown},
    {"reboot", ActionType::Reboot},
    {"sleep", ActionType::Sleep},
    {"hibernate", ActionType::Hibernation},
    {"switch-user", ActionType::NewSession},
    {"new-session", ActionType::NewSessionNewWindow},
    {"lock", ActionType::Lock},
    {"logout", ActionType::EndSession},
    {"turn-on", ActionType::TurnOn},
};

const char *const weekdays[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const char *const longWeekdays[] = {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"};

// A weekday name, short or long, to 1 (Monday) ... 7; 0 if it is none.
int weekday(const QString &name)
{
    for (int i = 0; i < 7; ++i) {
        if (name == QLatin1String(weekdays[i]) || name == QLatin1String(longWeekdays[i])) {
            return i + 1;
        }
    }
    return 0;
}

// A day of the month 1 ... 31; 0 if it is none.
int monthDay(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 1 && value <= 31 && !text.startsWith(QLatin1Char('+')) ? value : 0;
}

// A comma-separated list of items and ascending ranges of them ("mon-fri"),
// each read by item (0 for an unknown one). Empty when the list is malformed.
std::set<qint32> numberList(const QString &text, int (*item)(const QString &))
{
    std::set<qint32> result;
    const QStringList parts = text.toLower().split(QLatin1Char(','));
    for (const QString &part : parts) {
        const QStringList bounds = part.trimmed().split(QLatin1Char('-'));
        if (bounds.size() > 2) {
            return {};
        }
        const int first = item(bounds.first().trimmed());
        const int last = item(bounds.last().trimmed());
        if (first == 0 || last == 0 || last < first) {
            return {};
        }
        for (int value = first; value <= last; ++value) {
            result.insert(value);
        }
    }
    return result;
}

Result<std::set<qint32>> selection(const QString &on, bool weeks)
{
    const std::set<qint32> result = numberList(on, weeks ? weekday : monthDay);
    if (!result.empty()) {
        return result;
    }
    if (weeks) {
        return Result<std::set<qint32>>::failure(tr("\"%1\" is not a list of weekdays. Write it like mon,wed,fri or mon-fri.").arg(on));
    }
    return Result<std::set<qint32>>::failure(tr("\"%1\" is not a list of days of the month. Write it like 1,15 or 1-5 (days 1 to 31).").arg(on));
}

// "H:MM" or "HH:MM" to a time of day; allowMidnight also takes 24:00, as the
// number of milliseconds of a whole day. -1 if malformed.
qint64 clock(const QString &text, bool allowMidnight = false)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return -1;
    }
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    if (allowMidnight && hours == 24 && minutes == 0) {
        return day;
    }
    if (hours > 23 || minutes > 59) {
        return -1;
    }
    return hours * hour + minutes * minute;
}
} // namespace

QStringList actionNames()
{
    QStringList result;
    for (const auto &entry : actions) {
        result << QLatin1String(entry.name);
    }
    return result;
}

Result<qint32> action(const QString &name)
{
    for (const auto &entry : actions) {
        if (name == QLatin1String(entry.name)) {
            return entry.type;
        }
    }
    return Result<qint32>::failure(
        tr("\"%1\" is not an action. Use one of: %2.", "%2 is the list of action names").arg(name, actionNames().join(QLatin1String(", "))));
}

QString actionName(qint32 type)
{
    for (const auto &entry : actions) {
        if (entry.type == type) {
            return QLatin1String(entry.name);
        }
    }
    return QString();
}

Result<qint64> duration(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:(\\d+)d)?(?:(\\d+)h)?(?:(\\d+)m)?(?:(\\d+)s)?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (text.isEmpty() || !match.hasMatch()) {
        return Result<qint64>::failure(tr("\"%1\" is not a duration. Write it like 90s, 10m, 1h30m or 2d.").arg(text));
    }
    const qint64 units[] = {day, hour, minute, second};
    qint64 total = 0;
    for (int i = 0; i < 4; ++i) {
        const QString digits = match.captured(i + 1);
        // More digits than a year can hold in any unit are too long, and
        // would not fit the arithmetic below.
        const qint64 count = digits.size() > 8 ? maximumDuration : digits.toLongLong();
        total += std::min(count, maximumDuration / units[i] + 1) * units[i];
    }
    if (total > maximumDuration) {
        return Result<qint64>::failure(tr("The duration \"%1\" is too long: at most 365 days are allowed.").arg(text));
    }
    return total;
}

Result<QDateTime> moment(const QString &text, const QDateTime &earliest)
{
    static const QRegularExpression full(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})[ T](\\d{1,2}:\\d{2})$"));
    const QString trimmed = text.trimmed();
    const qint64 timeOnly = clock(trimmed);
    if (timeOnly >= 0) {
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(timeOnly));
        const QDateTime today = Occurrence::atLocalTime(earliest.date(), time);
        return today >= earliest ? today : Occurrence::atLocalTime(earliest.date().addDays(1), time);
    }
    const QRegularExpressionMatch match = full.match(trimmed);
    if (match.hasMatch()) {
        const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        const qint64 time = clock(match.captured(4));
        if (date.isValid() && time >= 0) {
            return Occurrence::atLocalTime(date, QTime::fromMSecsSinceStartOfDay(int(time)));
        }
    }
    return Result<QDateTime>::failure(tr("\"%1\" is not a date and time. Write it like 23:00 or \"2027-01-15 08:00\".").arg(text));
}

Result<RepeatSettings> repeat(const QString &rule, const QString &on)
{
    static const QRegularExpression every(QStringLiteral("^every (?:(\\d+) )?(day|week|month)s?$"));
    const QString words = rule.simplified().toLower();
    RepeatSettings result;
    result.type = RepeatType::Custom;
    result.customType = RepeatCustomType::Days;
    result.count = 1;

    const char *const plain[] = {"never", "daily", "weekly", "monthly", "yearly"};
    const qint32 plainTypes[] = {RepeatType::Never, RepeatType::EveryDay, RepeatType::EveryWeek, RepeatType::EveryMonth, RepeatType::EveryYear};
    const QRegularExpressionMatch match = every.match(words);
    if (match.hasMatch()) {
        const QString unit = match.captured(2);
        result.customType = unit == QLatin1String("day") ? RepeatCustomType::Days
            : unit == QLatin1String("week")              ? RepeatCustomType::Weeks
                                                         : RepeatCustomType::Monthes;
        const int limit = result.customType == RepeatCustomType::Days ? 365 : result.customType == RepeatCustomType::Weeks ? 52 : 12;
        const QString digits = match.captured(1);
        const qint64 count = digits.isEmpty() ? 1 : digits.size() > 4 ? limit + 1 : digits.toLongLong();
        if (count < 1 || count > limit) {
            return Result<RepeatSettings>::failure(tr("\"%1\" is out of range: repeat every 1 to 365 days, 1 to 52 weeks or 1 to 12 months.").arg(rule));
        }
        result.count = int(count);
    } else {
        int index = 0;
        while (index < 5 && words != QLatin1String(plain[index])) {
            ++index;
        }
        if (index == 5) {
            return Result<RepeatSettings>::failure(
                tr("\"%1\" is not a repeat rule. Use never, daily, weekly, monthly, yearly, or \"every N days\", \"every N weeks\" or \"every N months\".")
                    .arg(rule));
        }
        result.type = plainTypes[index];
        if (on.isEmpty()) {
            // The window keeps the unit of a plain rule at days.
            return result;
        }
        if (result.type != RepeatType::EveryWeek && result.type != RepeatType::EveryMonth) {
            return Result<RepeatSettings>::failure(tr("--on needs a weekly or monthly rule, or \"every N weeks\" or \"every N months\"."));
        }
        // Chosen days make the rule a custom one with a step of 1, as the
        // window's repeat dialog writes it.
        result.customType = result.type == RepeatType::EveryWeek ? RepeatCustomType::Weeks : RepeatCustomType::Monthes;
        result.type = RepeatType::Custom;
    }
    if (on.isEmpty()) {
        return result;
    }
    if (result.customType == RepeatCustomType::Days) {
        return Result<RepeatSettings>::failure(tr("--on needs a weekly or monthly rule, or \"every N weeks\" or \"every N months\"."));
    }
    const Result<std::set<qint32>> selected = selection(on, result.customType == RepeatCustomType::Weeks);
    if (!selected) {
        return Result<RepeatSettings>::failure(selected.error());
    }
    result.selected = *selected;
    return result;
}

Result<std::pair<quint64, quint64>> window(const QString &text)
{
    const QStringList bounds = text.split(QLatin1Char('-'));
    if (bounds.size() == 2) {
        const qint64 start = clock(bounds.first().trimmed());
        const qint64 end = clock(bounds.last().trimmed(), true);
        if (start >= 0 && end >= 0) {
            return std::make_pair(quint64(start), quint64(end));
        }
    }
    return Result<std::pair<quint64, quint64>>::failure(
        tr("\"%1\" is not a daily window. Write it like 12:00-13:00; 23:00-01:00 crosses midnight and 24:00 is the end of the day.").arg(text));
}
} // namespace Parse
