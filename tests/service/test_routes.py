# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Fired presets reach the desktop's own programs: the real service, one per
desktop, on the private buses of isolate.py with python3-dbusmock standing in
for logind, polkit and the desktop's session manager and screen saver. Each
call is read back from the mock that received it."""
import json
import os
import re
import unittest
import uuid

from zelharness import (BUILD_DIR, BUS_NAME, PYTHON, IsolatedTestCase, MockPeer, Process, call, gdbus, wait_for_name,
                        wait_for_name_gone, wait_until)

SHUTDOWN, REBOOT, LOCK, LOGOUT = 0, 1, 6, 7
TIMER = 0
MOCK = "org.freedesktop.DBus.Mock."

# label: (bus name, object path, interface, method, in signature)
DESKTOP_PEERS = {
    "fdo-saver": ("org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver", "Lock", ""),
    "gnome-saver": ("org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver", "Lock", ""),
    "kde-shutdown": ("org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", ""),
    "gnome-session": ("org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", "Logout", "u"),
}

WAYLAND = {"DISPLAY": None, "QT_QPA_PLATFORM": None, "WAYLAND_DISPLAY": "wayland-0"}


class DesktopPeer:
    """A generic dbusmock object on the session bus with one method, which
    logs each call it gets. Peers start side by side: wait_ready() waits for
    one and adds its method."""

    def __init__(self, label):
        self.name, self.path, self.interface, self.method, self.signature = DESKTOP_PEERS[label]
        self.process = Process([PYTHON, "-m", "dbusmock", self.name, self.path, self.interface])
        self.since = 0

    def wait_ready(self):
        wait_for_name(self.name)
        gdbus("call", "--dest", self.name, "--object-path", self.path, "--method", MOCK + "AddMethod",
              self.interface, self.method, self.signature, "", "")

    def clear_calls(self):
        self.since = len(self.process.output.snapshot())

    def calls(self):
        """The methods called since clear_calls(), from the mock's log."""
        return [m.group(1) for m in (re.match(r"^\d+\.\d+ (\w+)", l) for l in self.process.output.snapshot()[self.since:]) if m]

    def stop(self):
        self.process.stop()


class RoutesTest(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.logind = self.track(MockPeer("logind"))
        self.polkit = self.track(MockPeer("polkitd"))

    def peers_of(self, labels):
        self.peers = {label: self.track(DesktopPeer(label)) for label in labels}
        self.polkit.mock_call("SetAllowed", "['org.freedesktop.login1.power-off', 'org.freedesktop.login1.reboot']")
        for peer in self.peers.values():
            peer.wait_ready()

    def fire(self, action):
        preset = {"preset_id": "{%s}" % uuid.uuid4(), "preset_name": "now", "preset_type": TIMER,
                  "action_type": action, "preset_running": True, "timer": {"timeout": 0}}
        call("updatePreset", json.dumps(preset))

    def logind_calls(self):
        return [l.split()[1] for l in self.logind.calls() if re.match(r"^\d+(\.\d+)? (PowerOff|Reboot|Suspend|Hibernate)\b", l)]

    def test_desktops(self):
        wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        wm_commands = lambda: [l for l in wm.output.snapshot() if l.startswith("ZELWM_")]
        # desktop, its programs, environment, then per action the one call expected.
        table = [
            ("KDE", ["fdo-saver", "kde-shutdown"], WAYLAND,
             [(LOCK, "fdo-saver", "Lock"), (LOGOUT, "kde-shutdown", "logout"), (SHUTDOWN, "logind", "PowerOff")]),
            # GNOME's own locker goes first, though fdo-saver is there too.
            ("GNOME", ["gnome-saver", "fdo-saver", "gnome-session"], WAYLAND,
             [(LOCK, "gnome-saver", "Lock"), (LOGOUT, "gnome-session", "Logout"), (REBOOT, "logind", "Reboot")]),
            # zel-wm on the display goes first: Plasma's programs and logind
            # are there, and never called.
            ("KDE", ["fdo-saver", "kde-shutdown"], {"ZEL_WM_OWN_PID": str(wm.proc.pid)},
             [(SHUTDOWN, "zel-wm", "ZELWM_SHUTDOWN"), (LOCK, "zel-wm", "ZELWM_LOCK"), (LOGOUT, "zel-wm", "ZELWM_LOGOUT")]),
        ]
        # Every desktop's programs are there for each desktop, which calls
        # only its own; the calls are counted from each desktop's start.
        self.peers_of(sorted({label for _, labels, _, _ in table for label in labels}))
        wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        for row, (current, _, env, expected) in enumerate(table):
            with self.subTest(row=row, desktop=current):
                for peer in self.peers.values():
                    peer.clear_calls()
                before = len(self.logind_calls()), len(wm_commands())
                wanted = {label: sorted(m for _, p, m in expected if p == label)
                          for label in list(self.peers) + ["logind", "zel-wm"]}
                called = lambda: dict({label: sorted(peer.calls()) for label, peer in self.peers.items()},
                                      logind=self.logind_calls()[before[0]:], **{"zel-wm": sorted(wm_commands()[before[1]:])})
                service = self.start_service(dict(env, XDG_CURRENT_DESKTOP=current))
                try:
                    # Fired together, each action takes its own route.
                    for action, _, _ in expected:
                        self.fire(action)
                    wait_until(lambda: all(len(called()[label]) >= len(wanted[label]) for label in wanted), 15,
                               what="the calls of %s: %r" % (current, wanted))
                    got = called()
                finally:
                    service.stop()
                    self._tracked.remove(service)
                    wait_for_name_gone(BUS_NAME)
                # Each exactly once, through one route: nobody else was called.
                self.assertEqual(got, wanted)


if __name__ == "__main__":
    unittest.main()
