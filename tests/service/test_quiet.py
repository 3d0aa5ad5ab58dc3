# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""A running countdown with no client on the bus: the real service, a client
of its own (a bus connection that calls and then leaves, as the window does
when it closes), gdbus monitor (which never calls) for what goes on the bus,
dbusmock's notification server and zel-wm-stub on Xvfb."""
import glob
import json
import os
import re
import time
import unittest
import uuid

from zelharness import BUILD_DIR, Client, IsolatedTestCase, MockPeer, Process, SignalMonitor, faketime_preload, wait_until

LOCK = 6
TIMER = 0
# The service's clock (libfaketime: its monotonic clock and timers too) runs
# this many times as fast as the real one; the seconds below are its own.
PACE = 2
# The window is away for the quiet spell, back for a few seconds, and gone
# again well before the warning, with seconds to spare for a loaded machine:
# warning and action both fall to the unwatched countdown.
LENGTH, LEAD = 22, 3  # seconds
QUIET = 6  # seconds watched with nobody there


def context_switches(pid):
    total = 0
    for task in glob.glob("/proc/%d/task/*/status" % pid):
        try:
            with open(task) as f:
                total += sum(int(n) for n in re.findall(r"^(?:non)?voluntary_ctxt_switches:\s+(\d+)", f.read(), re.M))
        except OSError:
            pass
    return total


class QuietCountdownTest(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.notifications = self.track(MockPeer("notification_daemon", system=False))
        self.wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        self.wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        self.service = self.start_service({"ZEL_WM_OWN_PID": str(self.wm.proc.pid), "LD_PRELOAD": faketime_preload(),
                                           "FAKETIME": "+0 x%d" % PACE})
        self.monitor = self.track(SignalMonitor())

    def commands(self):
        return [l for l in self.wm.output.snapshot() if l.startswith("ZELWM_")]

    def reports(self, preset_id):
        return [(p["preset_running"], p["preset_paused"], p["timer"]["remainingTime"])
                for p in (json.loads(a) for _, a in self.monitor.signals("presetUpdated")) if p["preset_id"] == preset_id]

    def log_index(self, pattern, after=-1):
        """The index of the first line of the service's log past after that
        matches pattern, or None."""
        lines = self.service.output.snapshot()
        return next((i for i in range(after + 1, len(lines)) if re.search(pattern, lines[i])), None)

    def leave(self, window, after=-1):
        """Ends the window's bus connection and waits until the service has
        seen it go; the index of that line in the service's log."""
        window.stop()
        gone = r"Client \S+ left; 0 now"
        wait_until(lambda: self.log_index(gone, after) is not None, 10, what="the service to see the window go")
        return self.log_index(gone, after)

    def test_unwatched_countdown_sends_nothing_tells_a_returning_window_and_acts_on_time(self):
        pid = "{%s}" % uuid.uuid4()
        window = Client()
        window.proxy.updatePreset(json.dumps({
            "preset_id": pid, "preset_type": TIMER, "action_type": LOCK,
            "timer": {"timeout": LENGTH * 1000, "notify": LEAD * 1000}}))
        started_after = time.monotonic()
        window.proxy.start(pid)
        started_before = time.monotonic()
        wait_until(lambda: (True, False, (LENGTH - 1) * 1000) in self.reports(pid), 10, what="a second reported")
        left = self.leave(window)

        seen = len(self.reports(pid))
        switches = context_switches(self.service.proc.pid)
        time.sleep(QUIET / PACE)
        self.assertEqual(self.reports(pid)[seen:], [])
        # Ticking, the service would switch at least twice a second.
        self.assertLess(context_switches(self.service.proc.pid) - switches, 5)

        window = Client()
        asked_after = time.monotonic()
        remaining = next(p for p in window.get_all() if p["preset_id"] == pid)["timer"]["remainingTime"]
        asked_before = time.monotonic()
        # The whole seconds left when the answer was made.
        self.assertGreaterEqual(remaining, (LENGTH - (asked_before - started_after) * PACE) * 1000 - 10)
        self.assertLessEqual(remaining, (LENGTH - (asked_after - started_before) * PACE) * 1000 + 1000)
        # Reported before the answer, then every second again.
        ticks = lambda: [r[2] for r in self.reports(pid)[seen:] if r[:2] == (True, False)]  # noqa: E731
        wait_until(lambda: len(ticks()) >= 3, 10, what="the seconds reported again")
        self.assertEqual(ticks()[:3], [remaining, remaining - 1000, remaining - 2000])
        left = self.leave(window, left)

        wait_until(lambda: self.commands(), LENGTH + 30, what="the action")
        fired = time.monotonic()
        self.assertEqual(self.commands(), ["ZELWM_LOCK"])
        # Not left for the minute's wake-up (it is never early: the clock
        # decides); the bound is far above a loaded machine's delay.
        self.assertLess(fired, started_before + (LENGTH + 1) / PACE + 30)
        # Warned on its second with nobody there; paused at 0, then stopped.
        warning = "The Lock action will be executed after 00:00:%02d" % LEAD
        wait_until(lambda: [l for l in self.notifications.calls() if warning in l], 10, what="the warning")
        self.assertEqual(len([l for l in self.notifications.calls() if " Notify " in l]), 1)
        self.assertIsNotNone(self.log_index(r"New warning", left), "warned before the window left")
        wait_until(lambda: self.reports(pid)[-1] == (False, False, LENGTH * 1000), 10, what="the stopped report")
        self.assertEqual(self.reports(pid)[-2], (False, True, 0))


if __name__ == "__main__":
    unittest.main()
