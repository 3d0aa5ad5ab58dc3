# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Turn On: the real service keeps one wake alarm (a timerfd on
CLOCK_REALTIME_ALARM, seen in /proc/PID/fdinfo) armed for the earliest coming
Turn On occurrence, and without the right to set one it says so. Nothing here
suspends the machine or touches the real-time clock: an armed alarm only wakes
a machine that sleeps."""
import ctypes
import datetime
import json
import os
import re
import subprocess
import unittest
import uuid

from zelharness import BUILD_DIR, IsolatedTestCase, MockPeer, call, get_all, wait_until

CLI = os.path.join(BUILD_DIR, "bin", "zel-scheduler-cli")
TURN_ON, LOCK = -1, 6
TIMER, SCHEDULED = 0, 1
DAILY = 2
CLOCK_REALTIME_ALARM = 8


def may_set_wake_alarms():
    fd = ctypes.CDLL(None, use_errno=True).timerfd_create(CLOCK_REALTIME_ALARM, 0)
    if fd >= 0:
        os.close(fd)
    return fd >= 0


# A user namespace: root inside, no capability outside, so no wake alarms.
WITHOUT_RIGHT = ["unshare", "--user", "--map-root-user", "--"]
CAN_DROP_RIGHT = subprocess.run(WITHOUT_RIGHT + ["true"], capture_output=True).returncode == 0


def alarms(pid):
    """[(settime flags, seconds left)] of the process's timerfds on
    CLOCK_REALTIME_ALARM; seconds left is 0 for a disarmed one."""
    found = []
    for fd in os.listdir("/proc/%d/fd" % pid):
        try:
            if os.readlink("/proc/%d/fd/%s" % (pid, fd)) != "anon_inode:[timerfd]":
                continue
            with open("/proc/%d/fdinfo/%s" % (pid, fd)) as f:
                info = f.read()
        except FileNotFoundError:
            continue
        if re.search(r"^clockid:\s*%d$" % CLOCK_REALTIME_ALARM, info, re.M):
            flags = re.search(r"^settime flags:\s*(\d+)$", info, re.M).group(1)
            seconds, nanoseconds = re.search(r"^it_value:\s*\((\d+),\s*(\d+)\)$", info, re.M).groups()
            found.append((int(flags, 8), int(seconds) + int(nanoseconds) / 1e9))
    return found


def daily_turn_on(start, running=True, kind=SCHEDULED, name="Morning"):
    msecs = int(start.timestamp() * 1000)
    return {"preset_id": "{%s}" % uuid.uuid4(), "preset_name": name, "preset_type": kind, "action_type": TURN_ON,
            "preset_running": running, "timer": {"timeout": 600000},
            "schedule": {"start": msecs, "end": 253402300799000, "repeat_settings": {"repeat_settings_type": DAILY}}}


def cli(*args):
    proc = subprocess.run([CLI] + list(args), capture_output=True, text=True, timeout=60)
    return proc.returncode, proc.stdout, proc.stderr


class WakeAlarmTest(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.notifications = self.track(MockPeer("notification_daemon", system=False))

    def told(self, text):
        return [l for l in self.notifications.calls() if " Notify " in l and text in l]

    def armed_in(self, service, seconds, within=60):
        """Waits until the service's one alarm is armed, absolute, for about
        seconds from now."""
        def check():
            found = alarms(service.proc.pid)
            return len(found) == 1 and found[0][0] == 1 and abs(found[0][1] - seconds) < within
        wait_until(check, what="the alarm armed in %d s: %r" % (seconds, alarms(service.proc.pid)))

    def disarmed(self, service):
        wait_until(lambda: alarms(service.proc.pid) == [(0, 0.0)], what="the alarm disarmed: %r" % alarms(service.proc.pid))

    def restart(self, service, prefix=()):
        service.stop()
        self._tracked.remove(service)
        return self.start_service(prefix=prefix)

    @unittest.skipUnless(may_set_wake_alarms(), "needs CAP_WAKE_ALARM (root)")
    def test_alarm_follows_the_plans(self):
        service = self.start_service()
        self.assertEqual(alarms(service.proc.pid), [(0, 0.0)])  # made at start, nothing to wake for
        first = datetime.datetime.now().replace(microsecond=0) + datetime.timedelta(hours=2)
        later = daily_turn_on(first, running=False)
        sooner = daily_turn_on(first - datetime.timedelta(hours=1), running=False, name="Sooner")
        for preset in (later, sooner):
            call("updatePreset", json.dumps(preset))
            call("start", preset["preset_id"])
        self.armed_in(service, 3600)

        # Stored running, the plans arm it again when the service restarts.
        service = self.restart(service)
        self.armed_in(service, 3600)
        call("pause", sooner["preset_id"])
        self.armed_in(service, 7200)
        call("stop", later["preset_id"])
        self.disarmed(service)
        call("start", later["preset_id"])
        self.armed_in(service, 7200)
        call("removePreset", later["preset_id"])
        self.disarmed(service)

        # Spent while the machine is on, it is armed for the next day.
        soon = daily_turn_on(datetime.datetime.now() + datetime.timedelta(seconds=2))
        call("updatePreset", json.dumps(soon))
        self.armed_in(service, 2, within=3)
        wait_until(lambda: [a[1] > 86000 for a in alarms(service.proc.pid)] == [True], 30, what="the alarm armed for tomorrow")
        self.assertEqual(self.told("Woken up"), [])

    @unittest.skipUnless(may_set_wake_alarms() and CAN_DROP_RIGHT, "needs root and user namespaces")
    def test_without_the_right_turn_on_is_refused_and_told(self):
        service = self.start_service()
        preset = daily_turn_on(datetime.datetime.now() + datetime.timedelta(hours=1))
        call("updatePreset", json.dumps(preset))
        service = self.restart(service, prefix=WITHOUT_RIGHT)
        # The stored running one is stopped and told, with the command that
        # grants the right.
        wait_until(lambda: not get_all()[0]["preset_running"], what="the Turn On preset stopped")
        wait_until(lambda: self.told("may not wake this computer"), what="the refusal told")
        self.assertIn("setcap cap_wake_alarm+ep ", self.told("may not wake")[0])
        self.assertEqual(alarms(service.proc.pid), [])

        (turn_on,) = [a for a in json.loads(call("availableActions")) if a["action_type"] == TURN_ON]
        self.assertFalse(turn_on["available"])
        self.assertRegex(turn_on["grant"], r"^sudo setcap cap_wake_alarm\+ep /\S+zel-shutdown-scheduler-service$")

        status, out, err = cli("add", "turn-on", "--at", "06:55", "--repeat", "daily")
        self.assertEqual((status, out), (1, ""))
        self.assertIn("may not wake this computer. Grant it the right with \"%s\"" % turn_on["grant"], err)
        self.assertEqual(len(get_all()), 1)

        # Told once: stopped, it is not told again at the next start.
        service = self.restart(service, prefix=WITHOUT_RIGHT)
        self.assertEqual(len(self.told("may not wake")), 1)

    @unittest.skipUnless(may_set_wake_alarms(), "needs CAP_WAKE_ALARM (root)")
    def test_command_line_and_presets_of_older_clients(self):
        service = self.start_service()
        status, out, err = cli("add", "turn-on", "--at", "06:55", "--repeat", "weekly", "--on", "mon-fri", "--start")
        self.assertEqual((status, err), (0, ""))
        row = [l for l in cli("list")[1].splitlines() if l.startswith(out.strip())][0]
        self.assertRegex(row, r"Schedule\s+Turn On\s+running\s+next: ")
        now = datetime.datetime.now()
        wake = now.replace(hour=6, minute=55, second=0, microsecond=0)
        while wake <= now or wake.weekday() > 4:
            wake += datetime.timedelta(days=1)
        self.armed_in(service, (wake - now).total_seconds())

        for when in (["--in", "5m"], ["--between", "06:00-07:00", "--every", "5m"]):
            status, out, err = cli("add", "turn-on", *when)
            self.assertEqual(status, 1, when)
            self.assertIn("Turn On needs a date and time", err)

        # A Turn On countdown stored running (an older client) stays stopped,
        # told once.
        call("updatePreset", json.dumps(daily_turn_on(now, kind=TIMER, name="Old")))
        wait_until(lambda: self.told("Turn On needs a date and time"), what="the refusal told")
        service = self.restart(service)
        (old,) = [p for p in get_all() if p["preset_name"] == "Old"]
        self.assertFalse(old["preset_running"])
        self.assertEqual(len(self.told("Turn On needs a date and time")), 1)

if __name__ == "__main__":
    unittest.main()
