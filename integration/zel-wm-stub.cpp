// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

// zel-wm-stub: a stand-in for the window manager zel-wm, for tests and demos.
//
// It advertises itself on the X11 display the way zelSendCommandToWM looks for
// a window manager (see zelcore.h), and prints every command it receives to
// standard output, one per line, without the line feed. With --output FILE it
// also appends each line to FILE. It carries out nothing: it only reports.
//
// When it is set up it writes "zel-wm-stub: ready 0x<window>" to standard
// error, so that standard output holds nothing but commands. It runs until
// SIGTERM or SIGINT, or until the display goes away.
//
// It manages no windows and is not a window manager in any other sense; it is
// built with the project and never installed.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{
volatile sig_atomic_t s_stop = 0;

void onSignal(int)
{
    s_stop = 1;
}

struct Atoms
{
    Atom check;
    Atom command;
    Atom name;
    Atom utf8;
};

class Printer
{
public:
    explicit Printer(FILE *file) : m_file(file) { }

    void line(const std::string &text)
    {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        if (m_file) {
            std::fwrite(text.data(), 1, text.size(), m_file);
            std::fputc('\n', m_file);
            std::fflush(m_file);
        }
    }

private:
    FILE *m_file;
};

// Takes the whole command property off the window: the last read deletes it
// in the same request, so text appended meanwhile is never lost.
std::string takeCommands(Display *display, Window window, const Atoms &atoms)
{
    std::string text;
    long offset = 0; // in 32-bit units, as XGetWindowProperty counts
    for (;;) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, window, atoms.command, offset, 64 * 1024, True, AnyPropertyType, &type, &format, &count, &after, &data) != Success) {
            return text;
        }
        if (type == None) {
            if (data) {
                XFree(data);
            }
            return text;
        }
        if (format != 8) {
            // Not ours: drop it so that the next sender can append again.
            if (data) {
                XFree(data);
            }
            XDeleteProperty(display, window, atoms.command);
            return text;
        }
        text.append(reinterpret_cast<const char *>(data), count);
        XFree(data);
        if (after == 0) {
            return text; // read to the end, and deleted
        }
        offset += static_cast<long>(count / 4);
    }
}

void setWindowProperty(Display *display, Window target, Atom property, Window value)
{
    const unsigned long data = value;
    XChangeProperty(display, target, property, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char *>(&data), 1);
}

int usage(const char *program)
{
    std::fprintf(stderr, "usage: %s [--output FILE]\n", program);
    return 2;
}
} // namespace

int main(int argc, char **argv)
{
    const char *outputPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--output") == 0 && i + 1 < argc) {
            outputPath = argv[++i];
        } else {
            return usage(argv[0]);
        }
    }

    FILE *output = nullptr;
    if (outputPath) {
        output = std::fopen(outputPath, "a");
        if (!output) {
            std::fprintf(stderr, "zel-wm-stub: cannot open %s: %s\n", outputPath, std::strerror(errno));
            return 1;
        }
    }

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "zel-wm-stub: cannot open the X display\n");
        return 1;
    }

    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    Atoms atoms;
    atoms.check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    atoms.command = XInternAtom(display, "_ZEL_WM_COMMAND", False);
    atoms.name = XInternAtom(display, "_NET_WM_NAME", False);
    atoms.utf8 = XInternAtom(display, "UTF8_STRING", False);

    const Window root = DefaultRootWindow(display);
    const Window window = XCreateSimpleWindow(display, root, -1, -1, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    const char name[] = "zel-wm-stub";
    XChangeProperty(display, window, atoms.name, atoms.utf8, 8, PropModeReplace, reinterpret_cast<const unsigned char *>(name), sizeof name - 1);
    setWindowProperty(display, window, atoms.check, window);
    // Advertised last, once the window listens.
    setWindowProperty(display, root, atoms.check, window);
    XSync(display, False);
    std::fprintf(stderr, "zel-wm-stub: ready 0x%lx\n", static_cast<unsigned long>(window));
    std::fflush(stderr);

    Printer printer(output);
    std::string pending;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (!s_stop) {
        while (!s_stop && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != PropertyNotify || event.xproperty.window != window || event.xproperty.atom != atoms.command ||
                event.xproperty.state != PropertyNewValue) {
                continue;
            }
            pending += takeCommands(display, window, atoms);
            std::string::size_type end;
            while ((end = pending.find('\n')) != std::string::npos) {
                printer.line(pending.substr(0, end));
                pending.erase(0, end + 1);
            }
        }
        // The timeout only bounds how late a signal is noticed.
        if (poll(&fd, 1, 250) < 0 && errno != EINTR) {
            break;
        }
    }

    // Withdraw the advertisement if it is still ours.
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, root, atoms.check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success && data) {
        if (type == XA_WINDOW && format == 32 && count == 1 && reinterpret_cast<unsigned long *>(data)[0] == window) {
            XDeleteProperty(display, root, atoms.check);
        }
        XFree(data);
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    if (output) {
        std::fclose(output);
    }
    return 0;
}
