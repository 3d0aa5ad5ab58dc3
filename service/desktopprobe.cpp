// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "desktopprobe.h"

#include "displayconnection.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaObject>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace
{
// The bus daemon answers at once or not at all.
constexpr int listNamesTimeoutMs = 5000;

bool s_xError = false;
int recordError(Display *, XErrorEvent *)
{
    s_xError = true;
    return 0;
}

// The window that property check of window names, or None; a window that is
// gone (a window manager killed without withdrawing itself) gives None.
Window checkWindowOf(Display *display, Window window, Atom check)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    s_xError = false;
    const int status = XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data);
    XSync(display, False);
    Window result = None;
    if (status == Success && !s_xError && type == XA_WINDOW && format == 32 && count == 1 && data) {
        result = static_cast<Window>(reinterpret_cast<unsigned long *>(data)[0]);
    }
    if (data) {
        XFree(data);
    }
    return result;
}

QByteArray nameOf(Display *display, Window window)
{
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    s_xError = false;
    const int status = XGetWindowProperty(display, window, name, 0, 64, False, utf8, &type, &format, &count, &after, &data);
    XSync(display, False);
    QByteArray result;
    if (status == Success && !s_xError && type == utf8 && format == 8 && data) {
        result = QByteArray(reinterpret_cast<const char *>(data), int(count));
    }
    if (data) {
        XFree(data);
    }
    return result;
}
} // namespace

DesktopProbe::DesktopProbe(QObject *parent) : QObject(parent) { }

bool DesktopProbe::zelWmRuns()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return false;
    }
    // The connection's lock also keeps zelSendCommandToWM (always called with
    // a DisplayConnection held) from running while our error handler is in.
    const DisplayConnection connection;
    Display *display = connection.display();
    if (!display) {
        return false;
    }
    const XErrorHandler previous = XSetErrorHandler(recordError);
    bool found = false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check != None) {
        const Window wm = checkWindowOf(display, DefaultRootWindow(display), check);
        found = wm != None && checkWindowOf(display, wm, check) == wm && nameOf(display, wm).startsWith("zel-wm");
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return found;
}

void DesktopProbe::start()
{
    m_desktop = DesktopRoutes::Desktop();
    m_desktop.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    m_desktop.seatPath = qEnvironmentVariable("XDG_SEAT_PATH");
    m_desktop.zelWm = zelWmRuns();
    m_waiting = 2;
    listNames(false);
    listNames(true);
}

void DesktopProbe::listNames(bool systemBus)
{
    QDBusConnection bus = systemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
    const QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    // A bus that is not connected answers with an error at once, delivered
    // like any other answer through the event loop.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, listNamesTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, systemBus](QDBusPendingCallWatcher *w) { answered(w, systemBus); });
}

void DesktopProbe::answered(QDBusPendingCallWatcher *watcher, bool systemBus)
{
    watcher->deleteLater();
    const QDBusPendingReply<QStringList> reply = *watcher;
    if (!reply.isError()) {
        const QStringList names = reply.value();
        QSet<QString> &set = systemBus ? m_desktop.systemNames : m_desktop.sessionNames;
        set = QSet<QString>(names.cbegin(), names.cend());
    }
    if (--m_waiting == 0) {
        Q_EMIT finished();
    }
}
