// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "statusicon.h"

#include "presetmirror.h"
#include "tray_debug.h"

#include <KStatusNotifierItem>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QMenu>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTimer>

namespace
{
// The tray host's registry on the session bus.
const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

const QString idleIcon = QStringLiteral("system-schedule");

KStatusNotifierItem::ItemStatus itemStatus(TraySummary::Status status)
{
    switch (status) {
    case TraySummary::Status::Active:
        return KStatusNotifierItem::Active;
    case TraySummary::Status::NeedsAttention:
        return KStatusNotifierItem::NeedsAttention;
    case TraySummary::Status::Passive:
        break;
    }
    return KStatusNotifierItem::Passive;
}
} // namespace

StatusIcon::StatusIcon(PresetMirror *mirror, QObject *parent)
    : QObject(parent)
    , m_mirror(mirror)
    , m_item(new KStatusNotifierItem(QStringLiteral("zel-scheduler-tray"), this))
    , m_menu(new QMenu)
    , m_clock(new QTimer(this))
{
    m_item->setCategory(KStatusNotifierItem::ApplicationStatus);
    m_item->setStatus(KStatusNotifierItem::Passive);
    m_item->setIconByName(idleIcon);
    // Our own Quit: the standard one asks for confirmation, and quitting
    // the icon stops no plan.
    m_item->setStandardActionsEnabled(false);
    // The item owns the menu from here on.
    m_item->setContextMenu(m_menu);
    connect(m_item, &KStatusNotifierItem::activateRequested, this, &StatusIcon::openScheduler);

    m_clock->setSingleShot(true);
    m_clock->setTimerType(Qt::PreciseTimer);
    connect(m_clock, &QTimer::timeout, this, &StatusIcon::refresh);
    connect(m_mirror, &PresetMirror::changed, this, &StatusIcon::refresh);

    QDBusConnection bus = QDBusConnection::sessionBus();
    auto *watcher = new QDBusServiceWatcher(watcherService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &StatusIcon::askHost);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setHostPresent(false); });
    for (const char *signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        bus.connect(watcherService, watcherPath, watcherService, QString::fromLatin1(signal), this, SLOT(askHost()));
    }
    askHost();
    refresh();
}

void StatusIcon::askHost()
{
    const int ask = ++m_hostAsk;
    QDBusMessage message =
        QDBusMessage::createMethodCall(watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto *call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, call, ask] {
        call->deleteLater();
        if (ask != m_hostAsk) {
            return;
        }
        const QDBusPendingReply<QDBusVariant> reply = *call;
        setHostPresent(!reply.isError() && reply.value().variant().toBool());
    });
}

void StatusIcon::setHostPresent(bool present)
{
    if (!present && !m_toldNoHost) {
        m_toldNoHost = true;
        qCInfo(TRAY) << "No system tray on this desktop (no StatusNotifierWatcher with a host on the session bus): the status icon stays hidden";
    }
    if (present != m_hostPresent) {
        m_hostPresent = present;
        refresh();
    }
}

void StatusIcon::refresh()
{
    const QDateTime now = QDateTime::currentDateTime();
    TraySummary::Summary summary = TraySummary::summarize(m_mirror->planned(), now);
    if (!m_hostPresent) {
        // Nobody would see it: nothing is shown and nothing ticks.
        summary.status = TraySummary::Status::Passive;
    }
    if (summary.status != TraySummary::Status::Passive && summary.refreshAt.isValid()) {
        m_clock->start(int(std::max<qint64>(0, now.msecsTo(summary.refreshAt))));
    } else {
        m_clock->stop();
    }

    const QString title = summary.entries.empty() ? tr("Scheduler: nothing planned") : summary.title;
    const QString icon = summary.iconName.isEmpty() ? idleIcon : summary.iconName;
    // Only what changed goes out: each change is a signal to the tray.
    if (title != m_item->title()) {
        m_item->setTitle(title);
    }
    if (icon != m_item->iconName()) {
        m_item->setIconByName(icon);
        m_item->setAttentionIconByName(icon);
    }
    if (title != m_item->toolTipTitle() || summary.toolTip != m_item->toolTipSubTitle() || icon != m_item->toolTipIconName()) {
        m_item->setToolTip(icon, title, summary.toolTip);
    }
    if (itemStatus(summary.status) != m_item->status()) {
        m_item->setStatus(itemStatus(summary.status));
    }
    if (!m_menuBuilt || summary.entries != m_menuEntries) {
        rebuildMenu(summary.entries);
    }
}

void StatusIcon::rebuildMenu(const std::vector<TraySummary::Entry> &entries)
{
    m_menuBuilt = true;
    m_menuEntries = entries;
    m_menu->clear();
    // Text only: the menu's exporter renders every action's icon into
    // QPixmapCache, whose cleanup timer would then wake the program every
    // 30 s for as long as it runs, even while nothing is planned.
    for (const TraySummary::Entry &entry : entries) {
        const QString id = entry.id.toString();
        // The section's heading: what and when, read as text by screen
        // readers and shown by trays that show no tooltip.
        m_menu->addAction(entry.text)->setEnabled(false);
        m_menu->addAction(tr("Stop"), this, [this, id] { m_mirror->stop(id); });
        if (entry.postponable) {
            m_menu->addAction(tr("Postpone 10 minutes"), this, [this, id] { m_mirror->postpone(id); });
        }
        m_menu->addSeparator();
    }
    if (entries.size() > 1) {
        m_menu->addAction(tr("Stop All"), this, [this] { m_mirror->stopAll(); });
        m_menu->addSeparator();
    }
    m_menu->addAction(tr("Open Scheduler"), this, &StatusIcon::openScheduler);
    m_menu->addAction(tr("Quit"), QCoreApplication::instance(), &QCoreApplication::quit);
}

void StatusIcon::openScheduler()
{
    // The window is a single instance: a second start raises the first one
    // and ends. The one installed beside this program comes first.
    const QString name = QStringLiteral("zel-scheduler");
    QString program = QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
    if (program.isEmpty()) {
        program = QStandardPaths::findExecutable(name);
    }
    QProcess process;
    process.setProgram(program.isEmpty() ? name : program);
    // On Wayland the tray hands over the right to raise a window.
    if (!m_item->providedToken().isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), m_item->providedToken());
        process.setProcessEnvironment(environment);
    }
    if (!process.startDetached()) {
        qCWarning(TRAY).noquote() << "Could not start" << process.program() << ":" << process.errorString();
    }
}
