# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""What the service promises when the machine is unlucky: an acknowledged
change survives a crash, a fired action never repeats or doubles, nothing
freezes, and every action that is not carried out is told. The real service
on the private buses of isolate.py, with dbusmock's polkitd and notification
server and zel-wm-stub on the Xvfb display."""
import json
import os
import re
import signal
import subprocess
import tempfile
import time
import unittest
import uuid

import dbus

from zelharness import (BUS_NAME, BUILD_DIR, INTERFACE, OBJECT_PATH, SERVICE_BIN, IsolatedTestCase, MockPeer, Process,
                        call, get_all, wait_for_name_gone, wait_until)

SHUTDOWN, REBOOT, LOCK = 0, 1, 6
TIMER, SCHEDULED, RANGE = 0, 1, 2
POWER_OFF = "org.freedesktop.login1.power-off"
REBOOT_ID = "org.freedesktop.login1.reboot"
AUTHORITY = "org.freedesktop.PolicyKit1.Authority"


def new_id():
    return "{%s}" % uuid.uuid4()


def countdown(preset_id, timeout, action=LOCK, running=False, name="countdown"):
    return {"preset_id": preset_id, "preset_name": name, "preset_type": TIMER, "action_type": action,
            "preset_running": running, "timer": {"timeout": timeout}}


def stored_line(path, preset_id):
    """The raw line of a preset's entry in the settings file, or None."""
    key = ("%7B" + preset_id.strip("{}") + "%7D=").encode()
    try:
        with open(path, "rb") as f:
            lines = f.read().split(b"\n")
    except FileNotFoundError:
        return None
    return next((l.decode("latin-1") for l in lines if l.startswith(key)), None)


def stored_running(path, preset_id):
    line = stored_line(path, preset_id)
    return line is not None and '\\"preset_running\\":true' in line


def works(argv):
    return os.geteuid() == 0 and subprocess.run(argv + ["true"], capture_output=True).returncode == 0


# A mount namespace: what the unwritable settings need (a container may
# forbid it).
CAN_MOUNT = works(["unshare", "--mount", "--propagation", "private", "--"])


def read_only(folder):
    """A command prefix that shows the program folder read-only (a mount
    namespace of its own: nothing changes for anyone else)."""
    return ["unshare", "--mount", "--propagation", "private", "--", "sh", "-c",
            'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && exec "$@"', folder]


class PromisesTestCase(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.polkit = self.track(MockPeer("polkitd"))
        self.notifications = self.track(MockPeer("notification_daemon", system=False))
        self.wm = self.start_wm()

    def start_wm(self):
        wm = self.track(Process([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")]))
        wm.output.wait_for(lambda l: l.startswith("zel-wm-stub: ready"), what="zel-wm-stub")
        return wm

    def start(self, extra_env=None, prefix=()):
        env = {"ZEL_WM_OWN_PID": str(self.wm.proc.pid)}
        env.update(extra_env or {})
        return self.start_service(env, prefix)

    def commands(self):
        return [l for l in self.wm.output.snapshot() if l.startswith("ZELWM_")]

    def failures(self):
        """(body, urgency) of every notification of the event "failed"."""
        found = []
        for line in self.notifications.calls():
            if " Notify " in line and '"x-kde-eventId": "failed"' in line:
                body = re.search(r'Notify "[^"]*" \d+ "[^"]*" "[^"]*" "([^"]*)"', line).group(1)
                found.append((body, int(re.search(r'"urgency": (\d+)', line).group(1))))
        return found

    def wait_for_failure(self, text, count=1, timeout=10):
        return wait_until(lambda: len([f for f in self.failures() if text in f[0]]) >= count, timeout,
                          what="%d failure notification(s) with %r" % (count, text))

    def end(self, service, sig=signal.SIGTERM):
        service.signal(sig)
        status = service.wait()
        wait_for_name_gone(BUS_NAME)
        return status


class DurabilityTest(PromisesTestCase):

    def test_acknowledged_changes_survive_a_kill(self):
        # Killed right after each reply, the service must already have the
        # change on disk: the reply is sent after the write.
        path = self.settings_file()
        for round_ in range(4):
            pid = new_id()
            for method, args, check in (
                    ("updatePreset", [json.dumps(countdown(pid, 3600000, name="r%d" % round_))],
                     lambda: stored_line(path, pid) is not None),
                    ("start", [pid], lambda: stored_running(path, pid)),
                    ("pause", [pid], lambda: not stored_running(path, pid) and '\\"preset_paused\\":true' in stored_line(path, pid)),
                    ("removePreset", [pid], lambda: stored_line(path, pid) is None)):
                service = self.start()
                bus = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
                getattr(dbus.Interface(bus.get_object(BUS_NAME, OBJECT_PATH), INTERFACE), method)(*args)
                os.kill(service.proc.pid, signal.SIGKILL)
                bus.close()
                service.wait()
                wait_for_name_gone(BUS_NAME)
                self.assertTrue(check(), "%s in round %d was lost: %r" % (method, round_, stored_line(path, pid)))

    @unittest.skipUnless(CAN_MOUNT, "needs root and mount namespaces")
    def test_unwritable_settings_never_repeat_a_fired_countdown(self):
        # A running countdown is on disk; from then on the settings folder is
        # read-only. Each start fires it, cannot store it as stopped, so does
        # not carry it out, and says so; the write failure is logged once.
        # The second start finds just what the first one left, as any later
        # one would.
        pid = new_id()
        service = self.start()
        call("updatePreset", json.dumps(countdown(pid, 1000)))
        call("start", pid)
        self.end(service, signal.SIGKILL)
        folder = os.path.dirname(self.settings_file())
        for run in range(1, 3):
            service = self.start(prefix=read_only(folder))
            self.wait_for_failure("Lock was not carried out: its state could not be saved (Read-only file system).", run)
            call("updatePreset", json.dumps(countdown(new_id(), 5000, name="edited while read-only")))
            self.assertEqual(self.end(service), 0)
            warnings = [l for l in service.output.snapshot() if "Could not write settings" in l]
            self.assertEqual(len(warnings), 1, warnings)
            self.assertIn(self.settings_file(), warnings[0])
            self.assertIn("Read-only file system", warnings[0])
        self.assertEqual(self.commands(), [])
        self.assertTrue(stored_running(self.settings_file(), pid))
        # The edits were told as not saved, once per run.
        self.wait_for_failure("could not be saved to %s (Read-only file system)" % self.settings_file(), 2)


class FailuresAreToldTest(PromisesTestCase):

    def fire(self, action, extra_env=None):
        service = self.start(extra_env)
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, 0, action=action, running=True)))
        return service

    def test_refusals(self):
        # polkit says no to Shut Down: told at normal urgency. The user
        # refuses the password dialog of Reboot (polkit answers Challenge to
        # the check made again without a dialog): told quietly.
        self.polkit.mock_call("AddMethod", AUTHORITY, "CheckAuthorization", "(sa{sv})sa{ss}us", "(bba{ss})",
                              "ret = (False, args[1] == '%s' and args[3] == 0, {})" % REBOOT_ID)
        self.fire(SHUTDOWN)
        call("updatePreset", json.dumps(countdown(new_id(), 0, action=REBOOT, running=True)))
        self.wait_for_failure("Shut Down was not carried out: not authorized.")
        self.wait_for_failure("Reboot was not carried out: the authorization was refused in the password dialog.")
        self.assertEqual(sorted(urgency for _, urgency in self.failures()), [0, 1])
        self.assertEqual(self.commands(), [])

    def test_no_display_or_window_manager(self):
        # Started without a display (as the bus starts it before the session
        # has exported DISPLAY, or on Wayland), with one that cannot be
        # reached, or with no window manager, and no other peer for Lock:
        # the service serves the bus, and the Lock is told.
        cases = ({"DISPLAY": None, "QT_QPA_PLATFORM": None}, {"DISPLAY": ":97", "QT_QPA_PLATFORM": None}, {})
        self.wm.stop()
        for count, env in enumerate(cases, 1):
            service = self.fire(LOCK, env)
            self.wait_for_failure("Lock was not carried out: not available on this desktop.", count)
            self.assertEqual(len(get_all()), count)
            self.assertEqual(self.end(service), 0)


class NoFreezeTest(PromisesTestCase):
    """A power action waits in polkit as if its password dialog were open."""

    def setUp(self):
        super().setUp()
        self.polkit.mock_call("SetAllowed", "['%s']" % POWER_OFF)
        self.polkit.mock_call("SimulateHang", "true")
        self.service = self.start()
        self.ticking = new_id()
        call("updatePreset", json.dumps(countdown(self.ticking, 600000, running=True, name="ticking")))

    def hang(self):
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, 0, action=SHUTDOWN, running=True)))
        wait_until(lambda: "true" in self.polkit.mock_call("HaveHangingCalls"), 10, what="a hanging check")
        return pid

    def remaining(self):
        return next(p for p in get_all() if p["preset_id"] == self.ticking)["timer"]["remainingTime"]

    def discarded(self):
        return [l for l in self.service.output.snapshot() if "for a dropped action: answer discarded" in l]

    def test_removal_and_retyping_answer_at_once(self):
        for round_, change in enumerate(("remove", "retype"), 1):
            pid = self.hang()
            if change == "remove":
                call("removePreset", pid)
            else:
                retyped = countdown(pid, 0, action=SHUTDOWN)
                retyped["preset_type"] = SCHEDULED
                call("updatePreset", json.dumps(retyped))
            # Answered while the check still waits for its dialog.
            self.assertIn("true", self.polkit.mock_call("HaveHangingCalls"), change)
            # Other presets went on meanwhile.
            before = self.remaining()
            wait_until(lambda: self.remaining() < before, 5, what="the other countdown to tick")
            # Allowed once the dialog is answered, the old worker's action
            # is still not carried out: the answer finds its asker gone, and
            # nothing is left that could send it later.
            self.polkit.mock_call("ReleaseHangingCalls")
            wait_until(lambda: len(self.discarded()) >= round_, 10, what="the late answer discarded")
            self.assertEqual(self.commands(), [], change)

    def test_sigterm_ends_without_waiting(self):
        self.hang()
        self.assertEqual(self.end(self.service), 0)
        # Ended while the check still waits for its dialog.
        self.assertIn("true", self.polkit.mock_call("HaveHangingCalls"))
        self.assertTrue(stored_running(self.settings_file(), self.ticking))
        self.assertNotIn("Destroyed while thread", "\n".join(self.service.output.snapshot()))
        # The service has exited: nothing it could send can come later.
        self.assertEqual(self.commands(), [])


class BusLossTest(IsolatedTestCase):

    def test_losing_the_bus_ends_the_service(self):
        # A bus of its own that drops any connection sending more than 64 KiB
        # at once: a getAll reply over that limit.
        tmp = tempfile.mkdtemp(dir=os.environ["ZEL_TEST_TMPDIR"])
        config = os.path.join(tmp, "bus.conf")
        with open(config, "w") as f:
            f.write('<busconfig><type>session</type><listen>unix:tmpdir=%s</listen>'
                    '<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/></policy>'
                    '<limit name="max_message_size">65536</limit></busconfig>' % tmp)
        bus_daemon = self.track(Process(["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"]))
        address = bus_daemon.output.wait_for(lambda l: l.startswith("unix:"), what="the bus address")
        bus = dbus.bus.BusConnection(address)
        service = self.track(Process([SERVICE_BIN], env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address,
                                                            XDG_CONFIG_HOME=self.config_home)))
        wait_until(lambda: bus.name_has_owner(BUS_NAME), 15, what="the service on its bus")
        proxy = dbus.Interface(bus.get_object(BUS_NAME, OBJECT_PATH), INTERFACE)
        for i in range(3):
            proxy.updatePreset(json.dumps(countdown(new_id(), 3600000, running=True, name="x" * 30000)))
        with self.assertRaises(dbus.exceptions.DBusException):
            proxy.getAll()
        self.assertNotEqual(service.wait(timeout=10), 0)
        self.assertTrue(any("Lost the connection to the session bus" in l for l in service.output.snapshot()))
        bus.close()

    def tearDown(self):
        for thing in reversed(self._tracked):
            thing.stop()


class NoThreadPerPresetTest(PromisesTestCase):

    def tasks(self, service):
        return len(os.listdir("/proc/%d/task" % service.proc.pid))

    def test_running_presets_cost_no_thread(self):
        # Actions are jobs on the main thread: fifty running presets, stored
        # and restored, add no thread to the service, where a thread each (or
        # a pool of more than three) would add them by the dozen. (Each one
        # is written to disk as it comes, so more only make the test slower.)
        service = self.start()
        before = self.tasks(service)
        bus = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
        proxy = dbus.Interface(bus.get_object(BUS_NAME, OBJECT_PATH), INTERFACE)
        for i in range(50):
            proxy.updatePreset(json.dumps(countdown(new_id(), 3600000, running=True)))
        bus.close()
        self.assertLess(self.tasks(service), before + 4)
        self.end(service)
        service = self.start()
        self.assertEqual(len(get_all()), 50)
        wait_until(lambda: all(p["timer"]["remainingTime"] < 3600000 for p in get_all()), 30,
                   what="every restored preset to count")
        self.assertLess(self.tasks(service), before + 4)


class UndefinedBehaviourTest(PromisesTestCase):
    """Extreme numbers the JSON form can carry, through the workers and the
    executor; the sanitizer build turns undefined behaviour into a failure."""

    def test_extreme_numbers(self):
        service = self.start()
        big = 18446744073709551615
        for action in (2147483647, -2147483648, 8, -2):
            call("updatePreset", json.dumps(countdown(new_id(), 0, action=action, running=True)))
        call("updatePreset", json.dumps({"preset_id": new_id(), "preset_type": TIMER, "action_type": LOCK,
                                         "preset_running": True,
                                         "timer": {"timeout": big, "notify": big, "remainingTime": big}}))
        call("updatePreset", json.dumps({"preset_id": new_id(), "preset_type": RANGE, "action_type": 2147483647,
                                         "preset_running": True,
                                         "interval": {"start": big, "end": big, "regularity": -2147483648}}))
        # Schedules stepping by the largest counts, from the earliest start,
        # in every unit, with and without chosen days.
        now_ms = int(time.time()) * 1000
        for custom in (0, 1, 2):
            for selected in ([], [1, 31]):
                for start, end in ((0, big), (now_ms - 1000, now_ms + 60000), (big, big)):
                    call("updatePreset", json.dumps({
                        "preset_id": new_id(), "preset_type": SCHEDULED, "action_type": LOCK, "preset_running": True,
                        "schedule": {"start": start, "end": end, "notify": big, "repeat_settings": {
                            "repeat_settings_type": 6, "repeat_settings_custom_type": custom,
                            "repeat_settings_count": 2147483647, "repeat_settings_selected": selected}}}))
        # The four countdowns of actions that are none have fired and are told
        # as not carried out.
        self.wait_for_failure("was not carried out: not available on this desktop.", 4, timeout=30)
        self.assertEqual(len(get_all()), 6 + 18)
        self.assertEqual(self.end(service), 0)
        output = "\n".join(service.output.snapshot())
        self.assertNotIn("runtime error", output)
        self.assertNotIn("AddressSanitizer", output)


if __name__ == "__main__":
    unittest.main()
