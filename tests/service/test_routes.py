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

from zelharness import BUILD_DIR, PYTHON, IsolatedTestCase, MockPeer, Process, call, gdbus, wait_for_name, wait_until

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
    """A generic dbusmock object on the session bus with one method."""

    def __init__(self, label):
        self.name, self.path, interface, method, signature = DESKTOP_PEERS[label]
        self.process = Process([PYTHON, "-m", "dbusmock", self.name, self.path, interface])
        wait_for_name(self.name)
        gdbus("call", "--dest", self.name, "--object-path", self.path, "--method", MOCK + "AddMethod",
              interface, method, signature, "", "")

    def calls(self):
        reply = gdbus("call", "--dest", self.name, "--object-path", self.path, "--method", MOCK + "GetCalls")
        return re.findall(r"\(uint64 \d+, '(\w+)'", reply)

    def stop(self):
        self.process.stop()


class RoutesTest(IsolatedTestCase):

    def desktop(self, current, labels, env):
        self.logind = self.track(MockPeer("logind"))
        polkit = self.track(MockPeer("polkitd"))
        polkit.mock_call("SetAllowed", "['org.freedesktop.login1.power-off', 'org.freedesktop.login1.reboot']")
        self.peers = {label: self.track(DesktopPeer(label)) for label in labels}
        self.start_service(dict(env, XDG_CURRENT_DESKTOP=current))

    def fire(self, action):
        preset = {"preset_id": "{%s}" % uuid.uuid4(), "preset_name": "now", "preset_type": TIMER,
                  "action_type": action, "preset_running": True, "timer": {"timeout": 0}}
        call("updatePreset", json.dumps(preset))

    def logind_calls(self):
        return [l.split()[1] for l in self.logind.calls() if re.match(r"^\d+(\.\d+)? (PowerOff|Reboot|Suspend|Hibernate)\b", l)]

    def test_desktops(self):
        # desktop, its peers, environment, then per action the one call expected.
        table = [
            ("KDE", ["fdo-saver", "kde-shutdown"], WAYLAND,
             [(LOCK, "fdo-saver", "Lock"), (LOGOUT, "kde-shutdown", "logout"), (SHUTDOWN, "logind", "PowerOff")]),
            # GNOME's own locker goes first, though fdo-saver is there too.
            ("GNOME", ["gnome-saver", "fdo-saver", "gnome-session"], WAYLAND,
             [(LOCK, "gnome-saver", "Lock"), (LOGOUT, "gnome-session", "Logout"), (REBOOT, "logind", "Reboot")]),
        ]
        for current, labels, env, expected in table:
            with self.subTest(desktop=current):
                self.desktop(current, labels, env)
                for count, (action, peer, method) in enumerate(expected, 1):
                    self.fire(action)
                    if peer == "logind":
                        wait_until(lambda: self.logind_calls() == [method], 15, what="logind." + method)
                    else:
                        wait_until(lambda: self.peers[peer].calls() == [method], 15, what=peer + "." + method)
                # Each exactly once, through one route: nobody else was called.
                for label, peer in self.peers.items():
                    wanted = [m for _, p, m in expected if p == label]
                    self.assertEqual(peer.calls(), wanted, label)
                self.assertEqual(self.logind_calls(), [m for _, p, m in expected if p == "logind"])
                self.tearDown()
                self._tracked = []

    def test_zel_wm_goes_first(self):
        # zel-wm on the display: Plasma's programs and logind are there, and
        # never called.
        wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        self.desktop("KDE", ["fdo-saver", "kde-shutdown"], {"ZEL_WM_OWN_PID": str(wm.proc.pid)})
        for action in (SHUTDOWN, LOCK, LOGOUT):
            self.fire(action)
        commands = lambda: sorted(l for l in wm.output.snapshot() if l.startswith("ZELWM_"))
        wait_until(lambda: len(commands()) == 3, 15, what="three commands")
        self.assertEqual(commands(), ["ZELWM_LOCK", "ZELWM_LOGOUT", "ZELWM_SHUTDOWN"])
        self.assertEqual(self.logind_calls(), [])
        for label, peer in self.peers.items():
            self.assertEqual(peer.calls(), [], label)


if __name__ == "__main__":
    unittest.main()
