// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "actionfailure.h"

#include "enumerations.h"
#include "notificator.h"
#include "presettext.h"

#include <QCoreApplication>

namespace ActionFailure
{
namespace
{
QString tr(const char *text)
{
    return QCoreApplication::translate("ActionFailure", text);
}

QString title()
{
    return tr("Planned action not carried out");
}
} // namespace

QString text(qint32 action, Reason reason, const QString &detail)
{
    QString name = ActionType::displayName(action);
    if (name.isEmpty()) {
        name = tr("The planned action");
    }
    switch (reason) {
    case Reason::None:
    case Reason::Abandoned:
        return QString();
    case Reason::NotAuthorized:
        return tr("%1 was not carried out: not authorized.").arg(name);
    case Reason::Dismissed:
        return tr("%1 was not carried out: the authorization was refused in the password dialog.").arg(name);
    case Reason::AuthorityUnavailable:
        return tr("%1 was not carried out: the authorization service (polkit) could not be asked.").arg(name);
    case Reason::NoDisplay:
        return tr("%1 was not carried out: there is no display on which to reach the window manager.").arg(name);
    case Reason::NoWindowManager:
        return tr("%1 was not carried out: no window manager could be reached.").arg(name);
    case Reason::NotSaved:
        return tr("%1 was not carried out: its state could not be saved (%2).").arg(name, detail);
    case Reason::NotAvailable:
        return tr("%1 was not carried out: not available on this desktop.").arg(name);
    case Reason::Blocked:
        return tr("%1 was not carried out: blocked by %2.").arg(name, detail);
    case Reason::NoAnswer:
        return tr("%1 was not carried out: the %2 did not answer in time.").arg(name, detail);
    case Reason::PeerFailed:
        return tr("%1 was not carried out: the desktop refused it (%2).").arg(name, detail);
    case Reason::NoSession:
        return tr("%1 was not carried out: the login manager knows no session of this program.").arg(name);
    case Reason::NotLocked:
        return tr("%1 was not carried out: nothing locked the screen.").arg(name);
    case Reason::Skipped:
        return tr("%1 planned for %2 was skipped: the computer was asleep or too busy to carry it out within a minute of that time.").arg(name, detail);
    case Reason::SkippedClockSet:
        return tr("%1 planned for %2 was skipped: the system clock was set past that time.").arg(name, detail);
    case Reason::PostponedLost:
        return tr("%1 postponed to %2 was not carried out: the scheduler was restarted in the meantime.").arg(name, detail);
    case Reason::NeverActs:
        return tr("%1 was not started. %2").arg(name, detail);
    case Reason::SkippedNotRunning:
        return tr("%1 planned for %2 was skipped: the scheduler was not running at that time.").arg(name, detail);
    }
    return QString();
}

void tell(qint32 action, Reason reason, const QString &detail)
{
    const QString body = text(action, reason, detail);
    if (!body.isEmpty()) {
        Notificator().failed(title(), body, reason == Reason::Dismissed);
    }
}

QString plannedText(const QDateTime &planned)
{
    return PresetText::dateAndClock(planned.toLocalTime());
}

void tellNotSaved(const QString &path, const QString &detail)
{
    Notificator().failed(tr("Planned actions not saved"),
        tr("Changes to the planned actions could not be saved to %1 (%2). They are lost when the scheduler ends.").arg(path, detail),
        false);
}
} // namespace ActionFailure
