// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#include "zelcore.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QString>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <atomic>
#include <cstring>
#include <mutex>

// Our stand-in for the desktop's core library. The transport to the window
// manager is described in zelcore.h.

namespace
{
// Xlib's error handler is one per process. While a send runs, ours is
// installed and only records that an error happened; sends are serialized so
// that one never restores a handler another one installed.
std::mutex s_sendMutex;
std::atomic<bool> s_xError{false};

int recordError(Display *, XErrorEvent *)
{
    s_xError = true;
    return 0;
}

class ErrorTrap
{
public:
    explicit ErrorTrap(Display *display) : m_display(display)
    {
        XSync(m_display, False); // errors of earlier requests are not ours
        s_xError = false;
        m_previous = XSetErrorHandler(recordError);
    }
    ~ErrorTrap()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;

    // Waits for the server to process every request sent so far.
    bool failed()
    {
        XSync(m_display, False);
        return s_xError;
    }

private:
    Display *m_display;
    XErrorHandler m_previous = nullptr;
};

class DisplayLock
{
public:
    explicit DisplayLock(Display *display) : m_display(display) { XLockDisplay(m_display); }
    ~DisplayLock() { XUnlockDisplay(m_display); }
    DisplayLock(const DisplayLock &) = delete;
    DisplayLock &operator=(const DisplayLock &) = delete;

private:
    Display *m_display;
};

// The window that property `check` of `window` names, or None. Reading a
// property is a request with a reply, so a window that no longer exists shows
// up as an error through Xlib's handler whoever owns the event queue.
Window checkWindowOf(Display *display, Window window, Atom check, ErrorTrap &trap)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data);
    Window result = None;
    if (status == Success && !trap.failed() && type == XA_WINDOW && format == 32 && count == 1 && data) {
        // Format 32 data comes as an array of long.
        result = static_cast<Window>(reinterpret_cast<unsigned long *>(data)[0]);
    }
    if (data) {
        XFree(data);
    }
    return result;
}

// Whether `property` of `window` is absent or already of our type and format,
// so that appending to it cannot fail with BadMatch. False for a dead window.
bool commandPropertyUsable(Display *display, Window window, Atom property, Atom type, ErrorTrap &trap)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &actualType, &format, &count, &after, &data);
    if (data) {
        XFree(data);
    }
    if (status != Success || trap.failed()) {
        return false;
    }
    return actualType == None || (actualType == type && format == 8);
}

// The largest text one ChangeProperty request can carry.
size_t maxCommandLength(Display *display)
{
    long units = XExtendedMaxRequestSize(display);
    if (units <= 0) {
        units = XMaxRequestSize(display);
    }
    // 4-byte units; leave room for the request header (28 bytes with big requests).
    return units > 8 ? static_cast<size_t>(units - 8) * 4 : 0;
}
} // namespace

bool zelSendCommandToWM(Display *display, const char *command)
{
    if (!display || !command) {
        return false;
    }
    const size_t length = std::strlen(command);

    std::lock_guard<std::mutex> serialize(s_sendMutex);
    DisplayLock lock(display);
    ErrorTrap trap(display);

    if (length > maxCommandLength(display)) {
        return false;
    }
    // Without the atom no window manager can have advertised itself.
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    const Atom commandAtom = XInternAtom(display, "_ZEL_WM_COMMAND", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    if (trap.failed() || check == None || commandAtom == None || utf8 == None) {
        return false;
    }

    const Window root = DefaultRootWindow(display);
    const Window wm = checkWindowOf(display, root, check, trap);
    if (wm == None || wm == root || checkWindowOf(display, wm, check, trap) != wm) {
        return false;
    }
    if (!commandPropertyUsable(display, wm, commandAtom, utf8, trap)) {
        return false;
    }

    XChangeProperty(display, wm, commandAtom, utf8, 8, PropModeAppend, reinterpret_cast<const unsigned char *>(command), static_cast<int>(length));
    // Under Qt the event queue belongs to XCB, and an error of the append
    // would not come back to us. Reading the property again after it tells:
    // requests are processed in order, so if the window still exists now it
    // existed for the append.
    if (trap.failed()) {
        return false;
    }
    return commandPropertyUsable(display, wm, commandAtom, utf8, trap);
}

int numWho(bool *ok)
{
    if (ok) {
        *ok = false;
    }
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return 0;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("ListSessions"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != QLatin1String("a(susso)") || reply.arguments().size() != 1) {
        return 0;
    }
    const QDBusArgument sessions = reply.arguments().constFirst().value<QDBusArgument>();
    int count = 0;
    sessions.beginArray();
    while (!sessions.atEnd()) {
        QString id;
        uint uid = 0;
        QString user;
        QString seat;
        QDBusObjectPath path;
        sessions.beginStructure();
        sessions >> id >> uid >> user >> seat >> path;
        sessions.endStructure();
        ++count;
    }
    sessions.endArray();
    if (ok) {
        *ok = true;
    }
    return count;
}
