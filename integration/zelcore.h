// SPDX-FileCopyrightText: 2026 Zel Scheduler authors
//
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// The desktop's core library: talking to the window manager zel-wm and
// asking the login manager about sessions. Used by the service's executor.

// Xlib's own declaration of the display type, repeated here so that callers
// need not pull <X11/Xlib.h> (and its macros) into Qt code.
typedef struct _XDisplay Display;

// How a command reaches the window manager
// ----------------------------------------
// The window manager advertises itself the EWMH way: the root window's
// property _NET_SUPPORTING_WM_CHECK (type WINDOW, format 32, one item) names a
// child window W, and W carries the same property naming W itself. A command
// is delivered by appending its bytes, as they are, to the property
// _ZEL_WM_COMMAND (type UTF8_STRING, format 8) of W with
// XChangeProperty(PropModeAppend). Every append is one request, so the server
// applies it whole and concurrent senders never interleave within a command.
//
// The window manager selects PropertyChangeMask on W. On each PropertyNotify
// for _ZEL_WM_COMMAND it reads the property and deletes it in the same request
// (XGetWindowProperty with delete = True), keeps whatever does not yet end in
// a line feed, and handles every complete line as one command. Commands are
// lines: each ends in "\n".
//
// zelSendCommandToWM returns false, and sends nothing, when the display is
// null, when no window manager advertises itself as above (root property
// missing, stale window, or a window that does not name itself), when
// _ZEL_WM_COMMAND holds a property of another type or format, when the text
// is too long for one request, or on an X error. It makes at most a few round
// trips to the X server and never waits for the window manager to act. It
// locks the display for its requests and is safe to call from any thread of a
// program whose display was set up for threads (Qt's is).
bool zelSendCommandToWM(Display *display, const char *command);

// The number of sessions that the login manager (org.freedesktop.login1 on the
// system bus) lists through ListSessions: every session it knows, of any user,
// on any seat, including the caller's own. When the login manager cannot be
// asked (no system bus, no login manager, an error or no answer within two
// seconds, or a malformed answer) *ok is set to false and 0 is returned;
// otherwise *ok is true. ok may be null.
int numWho(bool *ok);
