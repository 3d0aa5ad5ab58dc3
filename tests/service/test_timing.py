# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The timing engine end to end: the real service on the private buses of
isolate.py, a mock polkit that allows the power actions, a recording
notification server and zel-wm-stub on the Xvfb display. Nothing here can
reach the machine's own login manager or window manager."""
import json
import os
import re
import signal
import threading
import time
import unittest
import uuid

import dbus

from zelharness import (BUS_NAME, BUILD_DIR, INTERFACE, OBJECT_PATH, Client, IsolatedTestCase, MockPeer, Process,
                        SignalMonitor, call, get_all, wait_for_name_gone, wait_until)

SHUTDOWN = 0
TIMER, SCHEDULED = 0, 1
NEVER = 1
POWER_OFF = "org.freedesktop.login1.power-off"


def new_id():
    return "{%s}" % uuid.uuid4()


def countdown(preset_id, timeout, notify=0, running=False, name="countdown"):
    return {"preset_id": preset_id, "preset_name": name, "preset_type": TIMER, "action_type": SHUTDOWN,
            "preset_running": running, "timer": {"timeout": timeout, "notify": notify}}


def sanitizer_reports(lines):
    return [l for l in lines if "AddressSanitizer" in l or "runtime error" in l or "LeakSanitizer" in l]


class TimingTestCase(IsolatedTestCase):

    # The session's language (LANG) the service starts in; None: the harness's.
    language = None

    def setUp(self):
        super().setUp()
        self.polkit = self.track(MockPeer("polkitd"))
        self.polkit.mock_call("SetAllowed", "['%s']" % POWER_OFF)
        self.notifications = self.track(MockPeer("notification_daemon", system=False))
        self.wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        self.wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        self.services = []
        self.service = self.start_timing_service()
        self.monitor = self.track(SignalMonitor())
        # An open window, for which the service reports every second.
        self.track(Client()).get_all()

    def tearDown(self):
        super().tearDown()
        for service in self.services:
            reports = sanitizer_reports(service.output.snapshot())
            self.assertEqual(reports, [], "\n".join(service.output.snapshot()[-80:]))

    def start_timing_service(self):
        # The stand-in window manager's process is the one polkit is asked about.
        env = {"ZEL_WM_OWN_PID": str(self.wm.proc.pid)}
        if self.language:
            env["LANG"] = self.language
        service = self.start_service(env)
        self.services.append(service)
        return service

    def end_service(self, sig):
        self.service.signal(sig)
        status = self.service.wait()
        wait_for_name_gone(BUS_NAME)
        return status

    def commands(self):
        return [l for l in self.wm.output.snapshot() if l.startswith("ZELWM_")]

    def notify_calls(self):
        return [l for l in self.notifications.calls() if " Notify " in l]

    def signalled(self):
        return [json.loads(text) for _, text in self.monitor.signals("presetUpdated")]

    def preset(self, preset_id):
        return next(p for p in get_all() if p["preset_id"] == preset_id)

    def states(self, preset_id):
        return [(p["preset_running"], p["preset_paused"]) for p in self.signalled() if p["preset_id"] == preset_id]

    def wait_until_settled(self, preset_id):
        """Waits until the fired preset has reported itself stopped (a stopped
        worker counts nothing and wakes for nothing) and every action the
        service began has ended (nothing more is sent for any of them);
        returns how each ended."""
        def stopped():
            states = self.states(preset_id)
            return (True, False) in states and states[-1] == (False, False)
        wait_until(stopped, timeout=10, what="the stopped report")

        def ended():
            log = self.service.output.snapshot()
            begun = [l for l in log if re.search(r"Action \S+ begun$", l)]
            outcomes = [m.group(1) for m in (re.search(r"Action \S+ ended: (\w+)$", l) for l in log) if m]
            return outcomes if begun and len(outcomes) == len(begun) else None
        return wait_until(ended, timeout=30, what="the actions to end")


class ActionTest(TimingTestCase):

    def test_countdown_warns_then_shuts_down_once(self):
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, 2000, notify=1000)))
        call("start", pid)
        wait_until(lambda: self.commands(), timeout=30, what="the command at the window manager")
        warnings = self.notify_calls()
        self.assertEqual(len(warnings), 1, warnings)
        self.assertIn('"Timer" "The Shut Down action will be executed after 00:00:01"', warnings[0])
        self.assertIn("alarm", warnings[0])
        # One action, carried out: no failure to tell.
        self.assertEqual(self.wait_until_settled(pid), ["None"])
        self.assertEqual(self.commands(), ["ZELWM_SHUTDOWN"])
        self.assertEqual(len(self.notify_calls()), 1)
        preset = self.preset(pid)
        self.assertFalse(preset["preset_running"])
        self.assertFalse(preset["preset_paused"])
        self.assertEqual(preset["timer"]["remainingTime"], 2000)
        # The client saw the countdown: 2000 running, 1000, 0, paused, stopped.
        states = [(p["preset_running"], p["preset_paused"], p["timer"]["remainingTime"])
                  for p in self.signalled() if p["preset_id"] == pid]
        self.assertEqual(states[-5:], [(True, False, 2000), (True, False, 1000), (True, False, 0), (False, True, 0),
                                       (False, False, 2000)])

    def test_scheduled_preset_fires_once_in_its_second(self):
        pid = new_id()
        start_ms = (int(time.time()) + 3) * 1000
        call("updatePreset", json.dumps({
            "preset_id": pid, "preset_type": SCHEDULED, "action_type": SHUTDOWN,
            "schedule": {"start": start_ms, "end": start_ms + 60000, "notify": 0,
                         "repeat_settings": {"repeat_settings_type": NEVER}}}))
        call("start", pid)
        wait_until(lambda: self.commands(), timeout=30, what="the command at the window manager")
        # Never early; how late depends on the machine's load.
        self.assertGreaterEqual(time.time(), start_ms / 1000.0)
        # No further occurrence: stopped with its one action.
        self.assertEqual(self.wait_until_settled(pid), ["None"])
        self.assertEqual(self.commands(), ["ZELWM_SHUTDOWN"])
        self.assertFalse(self.preset(pid)["preset_running"])


class RestartTest(TimingTestCase):

    def test_running_countdown_is_saved_when_the_service_ends_and_goes_on_after_a_restart(self):
        # Its remaining time reaches the bus every second, the disk at most
        # once a minute and at the end of the service.
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, 600000)))
        call("start", pid)
        written = os.stat(self.settings_file())
        wait_until(lambda: self.preset(pid)["timer"]["remainingTime"] <= 598000, timeout=40, what="two ticks")
        seen_at = time.monotonic()
        last_seen = self.preset(pid)["timer"]["remainingTime"]
        now = os.stat(self.settings_file())
        self.assertEqual((now.st_ino, now.st_mtime_ns), (written.st_ino, written.st_mtime_ns))
        # Ended with its workers running, the service still exits cleanly.
        self.assertEqual(self.end_service(signal.SIGTERM), 0, "\n".join(self.service.output.snapshot()[-40:]))
        with open(self.settings_file(), "rb") as f:
            stored = int(re.search(rb'remainingTime\\":(\d+)', f.read()).group(1))
        self.assertLessEqual(stored, last_seen)
        self.monitor.stop()
        self.service = self.start_timing_service()
        preset = self.preset(pid)
        self.assertTrue(preset["preset_running"])
        resumed = preset["timer"]["remainingTime"]
        self.assertLessEqual(resumed, stored)
        # Kept through the restart: never lower than the time passed allows.
        self.assertGreaterEqual(resumed, last_seen - (int(time.monotonic() - seen_at) + 1) * 1000)
        wait_until(lambda: self.preset(pid)["timer"]["remainingTime"] <= resumed - 2000, timeout=20,
                   what="the countdown to go on")
        self.assertEqual(self.commands(), [])

    def test_fired_countdown_does_not_fire_again_after_a_kill(self):
        # The service is killed the moment the window manager has the command:
        # the countdown's stopped state must already be on disk.
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, 1000)))
        call("start", pid)
        wait_until(lambda: self.commands(), timeout=30, what="the command at the window manager")
        self.end_service(signal.SIGKILL)
        self.services.remove(self.service)  # killed: its output proves nothing
        self.service = self.start_timing_service()
        # Read back stopped, before any worker was set up for it: it never
        # counts again, so a second action could only come from a new start.
        loaded = self.service.output.wait_for(lambda l: "onPresetAdded" in l and pid in l, what="the preset read back")
        self.assertIn('\\"preset_running\\":false', loaded)
        preset = self.preset(pid)
        self.assertFalse(preset["preset_running"])
        self.assertEqual(preset["timer"]["remainingTime"], 1000)
        self.assertEqual(self.commands(), ["ZELWM_SHUTDOWN"])


class LanguageTest(TimingTestCase):

    language = "ru_RU.UTF-8"

    def test_warning_in_the_users_language(self):
        # The notification speaks Russian to a Russian session.
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, 60000, notify=59000)))
        call("start", pid)
        wait_until(lambda: self.notify_calls(), timeout=10, what="the warning")
        call("stop", pid)
        self.assertIn('"Таймер" "Действие «Выключить» будет выполнено через 00:00:59"', self.notify_calls()[0])


class FloodTest(TimingTestCase):

    def test_flood_of_calls_while_countdowns_run(self):
        # Several countdowns tick while clients hammer the service. One of
        # them gets no call at all and must count down one second per report.
        # The sanitizer build runs this too.
        quiet = new_id()
        busy = [new_id() for _ in range(4)]
        call("updatePreset", json.dumps(countdown(quiet, 120000, running=True, name="quiet")))
        for pid in busy:
            call("updatePreset", json.dumps(countdown(pid, 120000, running=True, name="busy")))
        wait_until(lambda: all(p["timer"]["remainingTime"] < 120000 for p in get_all()), timeout=10,
                   what="every countdown to tick")

        stop_at = time.monotonic() + 4
        errors = []
        counts = []

        def client(seed):
            bus = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
            proxy = dbus.Interface(bus.get_object(BUS_NAME, OBJECT_PATH), INTERFACE)
            n = 0
            try:
                while time.monotonic() < stop_at:
                    pid = busy[(n + seed) % len(busy)]
                    step = (n * 7 + seed) % 6
                    if step == 0:
                        json.loads(proxy.getAll())
                    elif step == 1:
                        edited = countdown(pid, 120000, running=True, name="edited %d" % n)
                        edited["timer"]["remainingTime"] = 60000 + n % 1000
                        proxy.updatePreset(json.dumps(edited))
                    elif step == 2:
                        proxy.start(pid)
                    elif step == 3:
                        proxy.pause(pid)
                    elif step == 4:
                        proxy.stop(pid)
                    else:
                        proxy.getAll()
                    n += 1
            except Exception as e:  # noqa: BLE001 - reported below
                errors.append(repr(e))
            finally:
                counts.append(n)
                bus.close()

        threads = [threading.Thread(target=client, args=(i,)) for i in range(4)]
        for t in threads:
            t.start()
        for t in threads:
            t.join(60)
        self.assertEqual(errors, [])
        self.assertGreater(sum(counts), 100, counts)
        self.assertIsNone(self.service.proc.poll(), "the service ended")

        # Every busy preset ends stopped, at its full length, in the store.
        for pid in busy:
            call("stop", pid)
        wait_until(lambda: all(not p["preset_running"] and not p["preset_paused"]
                               and p["timer"]["remainingTime"] == 120000
                               for p in get_all() if p["preset_id"] in busy), timeout=10, what="all busy presets stopped")
        self.assertEqual(len(get_all()), 1 + len(busy))

        quiet_times = [p["timer"]["remainingTime"]
                       for p in self.signalled() if p["preset_id"] == quiet]
        self.assertGreater(len(quiet_times), 4)
        steps = [a - b for a, b in zip(quiet_times[1:], quiet_times)]
        self.assertTrue(all(s == -1000 for s in steps[1:]), quiet_times)
        self.assertEqual(self.commands(), [])


if __name__ == "__main__":
    unittest.main()
