# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The timing engine against a wall clock that is stepped, a process that is
stalled, and calendar rules over simulated weeks: the real service under
libfaketime (its wall clock only, read from a file the test rewrites; its
monotonic clock stays real), in UTC, with dbusmock's logind (whose
PrepareForSleep(false) tells it that the machine woke up, so that it looks
at the clock at once) and zel-wm-stub, which only prints the commands."""
import datetime
import json
import os
import signal
import time
import unittest
import uuid

from zelharness import (BUILD_DIR, IsolatedTestCase, MockPeer, Process, call, faketime_env, get_all,
                        set_faked_clock, wait_until)

LOCK = 6
TIMER, SCHEDULED, RANGE = 0, 1, 2
NEVER, EVERY_DAY, CUSTOM = 1, 2, 6
WEEKS, MONTHES = 1, 2
UTC = datetime.timezone.utc
# How long before a moment the clock is set to wait for its action: time for
# the service to see the wake-up and set its timer (seen later, under a heavy
# load, it acts a little late, which the checks accept too).
LEAD = datetime.timedelta(seconds=0.3)


def new_id():
    return "{%s}" % uuid.uuid4()


def ms(moment):
    return int(moment.timestamp() * 1000)


def utc(text):
    return datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S").replace(tzinfo=UTC)


def since_midnight(text):
    h, m = (int(x) for x in text.split(":"))
    return (h * 60 + m) * 60000


class ClockTestCase(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.logind = self.track(MockPeer("logind"))
        self.notifications = self.track(MockPeer("notification_daemon", system=False))
        self.wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        self.wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        self.clock_file = os.path.join(self.config_home, "faketime")
        self.offset = 0
        self.set_offset(0)

    def start(self, extra=None):
        env = faketime_env(self.clock_file)
        env["ZEL_WM_OWN_PID"] = str(self.wm.proc.pid)
        env.update(extra or {})
        self.service = self.start_service(env)
        return self.service

    def set_offset(self, seconds):
        # The test's clock reads the same value as the service's.
        self.offset = set_faked_clock(self.clock_file, seconds)

    def now(self):
        """The service's wall clock."""
        return datetime.datetime.fromtimestamp(time.time() + self.offset, UTC)

    def wakes(self):
        return [l for l in self.service.output.snapshot() if "Woke up from sleep" in l]

    def jump_to(self, moment, wake=True):
        """Sets the service's wall clock to moment and, as after a wake-up from
        sleep, has it look at the clock at once (and waits until it has)."""
        self.set_offset(moment.timestamp() - time.time())
        if wake:
            woken = len(self.wakes())
            self.logind.mock_call("EmitSignal", "org.freedesktop.login1.Manager", "PrepareForSleep", "b", "[<false>]")
            wait_until(lambda: len(self.wakes()) > woken, 30, what="the service to see the wake-up")

    def commands(self):
        return [l for l in self.wm.output.snapshot() if l.startswith("ZELWM_")]

    def wait_commands(self, count, timeout=30):
        wait_until(lambda: len(self.commands()) >= count, timeout, what="%d command(s)" % count)
        return self.now()

    def expect(self, moment, total):
        """Sets the clock to just before moment and waits for its action, the
        total-th since the start. An action at a moment passed before without
        acting would have come first, so the count or the time shows it."""
        self.assertEqual(len(self.commands()), total - 1, "before %s" % moment)
        self.jump_to(moment - LEAD)
        acted = self.wait_commands(total)
        # Never early: the service's clock is the test's, and the command is
        # seen after it was given.
        self.assertGreaterEqual(acted, moment - datetime.timedelta(milliseconds=10), moment)
        self.assertEqual(len(self.commands()), total, "by %s" % moment)

    def skip_past(self, moment):
        """Sets the clock to just after a moment at which nothing is due; the
        next expect() shows that nothing acted."""
        self.jump_to(moment + datetime.timedelta(seconds=1))

    def skipped(self):
        return [l for l in self.notifications.calls() if " Notify " in l and "was skipped" in l]

    def add(self, preset):
        preset.setdefault("preset_id", new_id())
        preset.setdefault("action_type", LOCK)
        call("updatePreset", json.dumps(preset))
        return preset["preset_id"]

    def running(self, pid):
        return next(p for p in get_all() if p["preset_id"] == pid)["preset_running"]


class ClockStepTest(ClockTestCase):

    def daily(self, at):
        return self.add({"preset_type": SCHEDULED, "preset_running": True,
                         "schedule": {"start": ms(at), "end": ms(at) + 30 * 86400000, "notify": 0,
                                      "repeat_settings": {"repeat_settings_type": EVERY_DAY}}})

    def test_set_back_after_the_action_repeats_nothing(self):
        self.start()
        due = self.now().replace(microsecond=0) + datetime.timedelta(seconds=30)
        self.daily(due)
        self.expect(due, 1)
        # Back before the action, then past it again: the occurrence was
        # handled, and the next one is tomorrow's.
        self.jump_to(due - datetime.timedelta(seconds=20))
        self.skip_past(due)
        self.expect(due + datetime.timedelta(days=1), 2)

    def test_stepped_across_its_time_it_acts_once_late(self):
        self.start()
        due = self.now().replace(microsecond=0) + datetime.timedelta(seconds=30)
        pid = self.daily(due)
        self.jump_to(due + datetime.timedelta(seconds=10))
        self.wait_commands(1)
        self.assertTrue(self.running(pid))
        self.expect(due + datetime.timedelta(days=1), 2)
        self.assertEqual(self.skipped(), [])

    def test_stepped_far_past_a_one_off_it_is_skipped_told_and_stopped(self):
        self.start()
        due = self.now().replace(microsecond=0) + datetime.timedelta(seconds=30)
        pid = self.add({"preset_type": SCHEDULED, "preset_running": True,
                        "schedule": {"start": ms(due), "end": ms(due), "notify": 0,
                                     "repeat_settings": {"repeat_settings_type": NEVER}}})
        self.jump_to(due + datetime.timedelta(hours=2))
        wait_until(lambda: self.skipped(), 5, what="the notification of the skipped action")
        self.assertIn("Lock planned for", self.skipped()[0])
        self.assertIn("was asleep", self.skipped()[0])
        wait_until(lambda: not self.running(pid), 5, what="the one-off to stop")
        self.assertEqual(self.commands(), [])

    def test_restart_never_looks_back_and_a_stored_one_off_is_told(self):
        # Stored running while the service was down over their times: the
        # daily one acts tomorrow, the one-off is told and stopped.
        self.start()
        due = self.now().replace(microsecond=0) + datetime.timedelta(seconds=5)
        daily = self.daily(due)
        once = self.add({"preset_type": SCHEDULED, "preset_running": True,
                         "schedule": {"start": ms(due), "end": ms(due) + 60000, "notify": 0,
                                      "repeat_settings": {"repeat_settings_type": NEVER}}})
        self.service.signal(signal.SIGTERM)
        self.service.wait()
        self.set_offset(self.offset + 600)
        self.start()
        wait_until(lambda: self.skipped(), 5, what="the notification of the skipped one-off")
        self.assertIn("the scheduler was not running", self.skipped()[0])
        self.assertTrue(self.running(daily))
        self.assertFalse(self.running(once))
        self.expect(due + datetime.timedelta(days=1), 1)


class StallTest(ClockTestCase):

    def remaining(self, pid):
        return next(p for p in get_all() if p["preset_id"] == pid)["timer"]["remainingTime"]

    def test_a_stall_neither_stretches_a_countdown_nor_skips_a_schedule(self):
        self.start()
        before = time.monotonic()
        countdown = self.add({"preset_type": TIMER, "preset_running": True, "timer": {"timeout": 60000}})
        after = time.monotonic()
        # Set with a time already passed, the schedule would never act: two
        # seconds leave room for a slow call.
        due = self.now() + datetime.timedelta(seconds=2)
        self.add({"preset_type": SCHEDULED, "preset_running": True,
                  "schedule": {"start": ms(due), "end": ms(due), "notify": 0,
                               "repeat_settings": {"repeat_settings_type": NEVER}}})
        # Stopped from before the schedule's time to half a second after it.
        self.service.signal(signal.SIGSTOP)
        time.sleep((due - self.now()).total_seconds() + 0.5)
        self.service.signal(signal.SIGCONT)
        self.wait_commands(1)
        # The countdown counted the stall: it tells whole seconds, of the
        # time since it was set, no fewer (a stretched countdown stays as
        # far behind as the stall was long) and no more.
        def counted():
            now = time.monotonic()
            return self.remaining(countdown) <= 60000 - int(now - after) * 1000
        wait_until(counted, 30, what="the countdown to have counted the stall")
        remaining = self.remaining(countdown)
        self.assertGreaterEqual(remaining, 60000 - (int(time.monotonic() - before) + 1) * 1000)
        self.assertEqual(self.skipped(), [])


class CalendarTest(ClockTestCase):
    """Rules over simulated weeks, run by the real service: the clock is set
    to just before each moment of interest, and the service is told to look
    at it. The rules themselves are tabled in the occurrence tests."""

    def test_every_second_week_on_monday(self):
        self.start()
        self.jump_to(utc("2026-01-05 09:00:00"), wake=False)
        start = utc("2026-01-05 10:00:00")
        self.add({"preset_type": SCHEDULED, "preset_running": True,
                  "schedule": {"start": ms(start), "end": ms(start) + 90 * 86400000, "notify": 0,
                               "repeat_settings": {"repeat_settings_type": CUSTOM, "repeat_settings_custom_type": WEEKS,
                                                   "repeat_settings_count": 2, "repeat_settings_selected": [1]}}})
        self.expect(start, 1)
        self.skip_past(utc("2026-01-12 10:00:00"))
        self.expect(utc("2026-01-19 10:00:00"), 2)

    def test_a_window_across_midnight_acts_from_its_opening_to_its_end(self):
        self.start()
        self.jump_to(utc("2026-01-05 22:59:50"), wake=False)
        self.add({"preset_type": RANGE, "preset_running": True,
                  "interval": {"start": since_midnight("23:00"), "end": since_midnight("01:00"), "regularity": 1800000}})
        self.expect(utc("2026-01-05 23:00:00"), 1)
        self.expect(utc("2026-01-06 00:00:00"), 2)
        self.expect(utc("2026-01-06 01:00:00"), 3)
        self.skip_past(utc("2026-01-06 01:30:00"))
        self.expect(utc("2026-01-06 23:00:00"), 4)

    def test_a_window_started_just_before_its_opening_acts_at_it(self):
        self.start()
        self.jump_to(utc("2026-01-05 11:59:58") + datetime.timedelta(seconds=0.5), wake=False)
        self.add({"preset_type": RANGE, "preset_running": True,
                  "interval": {"start": since_midnight("12:00"), "end": since_midnight("12:10"), "regularity": 300000}})
        acted = self.wait_commands(1)
        self.assertGreaterEqual(acted, utc("2026-01-05 12:00:00") - datetime.timedelta(milliseconds=10))
        self.expect(utc("2026-01-05 12:05:00"), 2)
        self.expect(utc("2026-01-05 12:10:00"), 3)


if __name__ == "__main__":
    unittest.main()
