# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The choices on the warning: the real service with dbusmock's notification
server (with actions), whose ActionInvoked signal stands for a click on a
button, zel-wm-stub for the window manager, and libfaketime for the wall
clock of the schedules (its file is rewritten to move ten minutes on)."""
import datetime
import json
import os
import re
import signal
import time
import unittest
import uuid

from zelharness import (BUILD_DIR, IsolatedTestCase, MockPeer, Process, call, faketime_env, get_all,
                        set_faked_clock, wait_until)

LOCK = 6
TIMER, SCHEDULED, RANGE = 0, 1, 2
NEVER, EVERY_DAY = 1, 2
CANCEL, POSTPONE = "1", "2"
UTC = datetime.timezone.utc


def new_id():
    return "{%s}" % uuid.uuid4()


class WarningChoicesTestCase(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.logind = self.track(MockPeer("logind"))
        self.notifications = self.track(MockPeer("notification_daemon", system=False, parameters={
            "capabilities": "body actions persistence body-markup"}))
        self.wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        self.wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        self.clock_file = os.path.join(self.config_home, "faketime")
        self.set_offset(0)
        self.start()

    def start(self):
        env = faketime_env(self.clock_file)
        env["ZEL_WM_OWN_PID"] = str(self.wm.proc.pid)
        self.service = self.start_service(env)

    def set_offset(self, seconds):
        self.offset = set_faked_clock(self.clock_file, seconds)

    def move_on(self, seconds):
        """The service's wall clock jumps on; it looks at it at once."""
        self.set_offset(self.offset + seconds)
        self.logind.mock_call("EmitSignal", "org.freedesktop.login1.Manager", "PrepareForSleep", "b", "[<false>]")

    def now_ms(self):
        return int((time.time() + self.offset) * 1000)

    def commands(self):
        return [l for l in self.wm.output.snapshot() if l.startswith("ZELWM_")]

    def warnings(self):
        """(title, body, actions) of every warning, in order."""
        found = []
        for line in self.notifications.calls():
            if " Notify " in line:
                match = re.search(r'Notify "[^"]*" \d+ "[^"]*" "([^"]*)" "([^"]*)" (\[[^\]]*\])', line)
                if match and '"x-kde-eventId": "alarm"' in line:
                    found.append((match.group(1), match.group(2), match.group(3)))
        return found

    def warning_calls(self):
        """(notification id, logged call) of each warning: the mock numbers
        every Notify call from 1."""
        calls = [l for l in self.notifications.calls() if " Notify " in l]
        return [(i + 1, l) for i, l in enumerate(calls) if '"x-kde-eventId": "alarm"' in l]

    def warning_id(self, n):
        """The notification id of the n-th warning (1-based)."""
        return self.warning_calls()[n - 1][0]

    def warning_of(self, remaining):
        """The notification id of the first warning of a countdown that tells
        this remaining time ("00:00:29")."""
        return next(i for i, l in self.warning_calls() if "after " + remaining in l)

    def wait_warnings(self, count, timeout=10):
        wait_until(lambda: len(self.warnings()) >= count, timeout, what="%d warning(s)" % count)
        return self.warnings()[count - 1]

    def closed(self):
        return [int(l.split()[-1]) for l in self.notifications.calls() if " CloseNotification " in l]

    def choose(self, notification_id, key):
        self.notifications.mock_call("EmitSignal", "org.freedesktop.Notifications", "ActionInvoked", "us",
                                     "[<uint32 %d>, <'%s'>]" % (notification_id, key))

    def preset(self, pid):
        return next(p for p in get_all() if p["preset_id"] == pid)

    def add(self, preset):
        preset.update({"preset_id": new_id(), "action_type": LOCK, "preset_running": True})
        call("updatePreset", json.dumps(preset))
        return preset["preset_id"]

    def countdown(self, timeout, notify):
        return self.add({"preset_type": TIMER, "timer": {"timeout": timeout, "notify": notify}})

    def schedule(self, start_ms, notify, repeat=EVERY_DAY):
        return self.add({"preset_type": SCHEDULED,
                         "schedule": {"start": start_ms, "end": start_ms + 30 * 86400000, "notify": notify,
                                      "repeat_settings": {"repeat_settings_type": repeat}}})


class CountdownChoicesTest(WarningChoicesTestCase):

    def test_countdown_cancel_and_postpone(self):
        # Two countdowns warned side by side: each choice acts on its own.
        postponed = self.countdown(30000, 29000)
        cancelled = self.countdown(20000, 19000)
        self.wait_warnings(2)
        for title, _, actions in self.warnings():
            self.assertEqual(title, "Timer")
            self.assertEqual(actions, '["1", "Cancel", "2", "Postpone 10 minutes"]')
        self.choose(self.warning_of("00:00:29"), POSTPONE)
        self.choose(self.warning_of("00:00:19"), CANCEL)
        wait_until(lambda: self.preset(postponed)["timer"]["remainingTime"] > 600000, 5, what="ten minutes more")
        self.assertTrue(self.preset(postponed)["preset_running"])
        wait_until(lambda: not self.preset(cancelled)["preset_running"], 5, what="the countdown to stop")
        self.assertEqual(self.preset(cancelled)["timer"]["remainingTime"], 20000)
        self.assertIn(self.warning_of("00:00:29"), self.closed())
        self.assertIn(self.warning_of("00:00:19"), self.closed())
        self.assertEqual(self.commands(), [])

    def test_warning_withdrawn_by_stop_removal_and_action_and_a_late_choice_does_nothing(self):
        stopped = self.countdown(60000, 59000)
        removed = self.countdown(50000, 49000)
        fired = self.countdown(2000, 1000)
        kept = self.countdown(40000, 39000)
        self.wait_warnings(4)
        call("stop", stopped)
        call("removePreset", removed)
        wait_until(lambda: self.commands(), 10, what="the action")
        for remaining, what in (("00:00:59", "on stop"), ("00:00:49", "on removal"), ("00:00:01", "at the action")):
            wait_until(lambda: self.warning_of(remaining) in self.closed(), 5, what="the warning withdrawn " + what)
        self.assertNotIn(self.warning_of("00:00:39"), self.closed())
        # A choice on the withdrawn warning reaches the countdown started
        # again. Choices are taken in the order they are made: once the one
        # on the warning still open has worked, the late one was looked at.
        call("start", fired)
        self.choose(self.warning_of("00:00:01"), POSTPONE)
        self.choose(self.warning_of("00:00:39"), POSTPONE)
        wait_until(lambda: self.preset(kept)["timer"]["remainingTime"] > 600000, 5, what="the open warning's choice")
        self.assertLess(self.preset(fired)["timer"]["remainingTime"], 600000)


class ScheduleChoicesTest(WarningChoicesTestCase):
    """A daily schedule due in two minutes, warned three minutes before: the
    warning comes at once, and the clock is then moved on to the moments of
    interest, so that no step depends on how fast the machine is."""

    LEAD = 180000

    def setUp(self):
        super().setUp()
        self.due = (self.now_ms() // 1000 + 120) * 1000
        self.pid = self.schedule(self.due, self.LEAD)

    def move_to(self, moment_ms):
        self.move_on((moment_ms - self.now_ms()) / 1000)

    def expect_tomorrows_warning(self):
        """Moves on to just inside tomorrow's lead and waits for its warning:
        whatever was due before it has come by then."""
        count = len(self.warnings())
        self.move_to(self.due + 86400000 - self.LEAD + 1000)
        self.wait_warnings(count + 1)

    def test_schedule_cancel_skips_one_occurrence(self):
        title, _, actions = self.wait_warnings(1)
        self.assertEqual(title, "Schedule")
        self.assertEqual(actions, '["1", "Cancel", "2", "Postpone 10 minutes"]')
        self.choose(self.warning_id(1), CANCEL)
        wait_until(lambda: self.warning_id(1) in self.closed(), 5, what="the warning withdrawn")
        # Just past its time, where an occurrence still due is carried out late.
        self.move_to(self.due + 1000)
        self.expect_tomorrows_warning()
        self.assertEqual(self.commands(), [])
        self.assertTrue(self.preset(self.pid)["preset_running"])

    def expect_postponed_action(self):
        # Warned again at its first time, ten minutes before the new one.
        self.move_to(self.due + 1000)
        self.wait_warnings(2)
        self.assertEqual(self.commands(), [])
        self.move_to(self.due + 600000 - 1000)
        wait_until(lambda: self.commands(), 30, what="the postponed action")
        # Not before its new time: acting at once on the move would be
        # seen at least 700 ms before it (timers may be a little early).
        self.assertGreaterEqual(self.now_ms(), self.due + 600000 - 300)

    def test_schedule_postponed_ten_minutes_once(self):
        self.wait_warnings(1)
        self.choose(self.warning_id(1), POSTPONE)
        self.expect_postponed_action()
        self.assertIn(self.warning_id(2), self.closed())
        self.expect_tomorrows_warning()
        self.assertEqual(len(self.commands()), 1)
        self.assertTrue(self.preset(self.pid)["preset_running"])

    def test_schedule_postponed_over_the_bus_as_from_its_warning(self):
        self.wait_warnings(1)
        call("postpone", self.pid)
        wait_until(lambda: self.warning_id(1) in self.closed(), 5, what="the warning withdrawn")
        self.expect_postponed_action()

    def test_a_postponement_lost_with_a_restart_is_told(self):
        self.wait_warnings(1)
        self.choose(self.warning_id(1), POSTPONE)
        wait_until(lambda: self.warning_id(1) in self.closed(), 5, what="the warning withdrawn")
        self.service.signal(signal.SIGTERM)
        self.service.wait()
        self.start()
        wait_until(lambda: [l for l in self.notifications.calls() if "was restarted in the meantime" in l], 10,
                   what="the lost postponement told")
        # Neither at its own time nor at the new one.
        self.move_to(self.due + 1000)
        self.move_to(self.due + 600000 + 1000)
        self.expect_tomorrows_warning()
        self.assertEqual(self.commands(), [])


class WindowWarningTest(WarningChoicesTestCase):

    def test_a_window_has_no_warning(self):
        start = (self.now_ms() // 1000 + 60) * 1000
        self.add({"preset_type": RANGE, "interval": {"start": start % 86400000, "end": (start + 60000) % 86400000,
                                                     "regularity": 60000}})
        # Brought to a second before its start.
        self.move_on((start - 1000 - self.now_ms()) / 1000)
        wait_until(lambda: self.commands(), 10, what="the window's action")
        self.assertEqual(self.warnings(), [])


if __name__ == "__main__":
    unittest.main()
