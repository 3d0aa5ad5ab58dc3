# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The service's bus interface, driven through the real service process by
independent clients (gdbus, dbus-monitor), on the private buses of isolate.py."""
import json
import os
import re
import signal
import unittest

from zelharness import (BUS_NAME, ForeignProcess, INTERFACE, IsolatedTestCase, Process, SERVICE_BIN, SignalMonitor,
                        call, gdbus, get_all, name_has_owner, wait_for_name_gone, wait_until)

NULL_ID = "{00000000-0000-0000-0000-000000000000}"
BRACED = re.compile(r"^\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\}$")


class WireContractTest(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.service = self.start_service()
        self.monitor = self.track(SignalMonitor())

    def add(self, obj):
        """Adds a preset and returns the text its presetUpdated signal carried.
        The monitor is a connection of its own, so the signal may reach it
        after the reply reached us: wait for it."""
        before = len(self.monitor.signals("presetUpdated"))
        call("updatePreset", json.dumps(obj))
        wait_until(lambda: len(self.monitor.signals("presetUpdated")) > before, 10, what="presetUpdated")
        return self.monitor.signals("presetUpdated")[before][1]

    def test_get_all_and_update_without_id(self):
        self.assertEqual(call("getAll"), "[]")
        call("updatePreset", '{"preset_name":"first","extra_key":1}')
        presets = get_all()
        self.assertEqual(len(presets), 1)
        signalled = json.loads(self.monitor.wait_for("presetUpdated")[0])
        self.assertEqual(presets[0]["preset_id"], signalled["preset_id"])
        self.assertRegex(presets[0]["preset_id"], BRACED)
        self.assertNotIn("extra_key", signalled)
        self.assertEqual(presets[0], signalled)
        # The same text again makes a second preset with another id.
        call("updatePreset", '{"preset_name":"first"}')
        presets = get_all()
        self.assertEqual(len(presets), 2)
        self.assertNotEqual(presets[0]["preset_id"], presets[1]["preset_id"])

    def test_update_replaces_in_place(self):
        first = json.loads(self.add({"preset_name": "a"}))
        self.add({"preset_name": "b"})
        first["preset_name"] = "a2"
        call("updatePreset", json.dumps(first))
        self.assertEqual([p["preset_name"] for p in get_all()], ["a2", "b"])

    def test_text_that_is_not_json_adds_a_default_preset(self):
        call("updatePreset", "this is not json")
        call("updatePreset", "[1,2,3]")
        presets = get_all()
        self.assertEqual(len(presets), 2)
        for preset in presets:
            self.assertEqual(preset["preset_name"], "")
            self.assertEqual(preset["preset_type"], 0)
            self.assertEqual(preset["interval"]["regularity"], 5000)
            self.assertRegex(preset["preset_id"], BRACED)
            self.assertNotEqual(preset["preset_id"], NULL_ID)
        self.assertEqual(len(self.monitor.wait_for("presetUpdated", timeout=5)), 2)

    def test_remove_accepts_any_form_and_signals_braced_lower_case(self):
        id_a = json.loads(self.add({"preset_name": "a"}))["preset_id"]
        id_b = json.loads(self.add({"preset_name": "b"}))["preset_id"]
        call("removePreset", id_a.upper())
        call("removePreset", id_b.strip("{}"))
        self.assertEqual(get_all(), [])
        wait_until(lambda: len(self.monitor.signals("presetRemoved")) == 2, 5, what="two removals")
        self.assertEqual([a for _, a in self.monitor.signals("presetRemoved")], [id_a, id_b])
        # Unknown and unparsable ids still signal.
        call("removePreset", "no id at all")
        call("removePreset", "{AAAAAAAA-0000-0000-0000-000000000000}")
        wait_until(lambda: len(self.monitor.signals("presetRemoved")) == 4, 5, what="four removals")
        self.assertEqual([a for _, a in self.monitor.signals("presetRemoved")][2:],
                         [NULL_ID, "{aaaaaaaa-0000-0000-0000-000000000000}"])

    def test_commands_match_only_the_braced_lower_case_id(self):
        preset = json.loads(self.add({"preset_name": "t", "preset_type": 0,
                                      "timer": {"timeout": 3600000}}))
        uuid = preset["preset_id"]
        before = len(self.monitor.signals("presetUpdated"))
        call("start", uuid.strip("{}"))
        call("start", uuid.upper())
        # A correctly written command afterwards shows that the wrong ones
        # were dropped rather than delayed: its report is the first to come.
        call("start", uuid)
        self.monitor.wait_for("presetUpdated", lambda a: json.loads(a)["preset_running"])
        first_report = json.loads(self.monitor.signals("presetUpdated")[before][1])
        self.assertTrue(first_report["preset_running"])
        self.assertEqual(first_report["timer"]["remainingTime"], 3600000)
        call("stop", uuid)
        wait_until(lambda: not json.loads(self.monitor.signals("presetUpdated")[-1][1])["preset_running"],
                   10, what="the stopped report")

    def test_introspection_lists_exactly_the_ten_members(self):
        xml = gdbus("introspect", "--dest", BUS_NAME, "--object-path", "/Presets", "--xml")
        body = re.search(r'<interface name="%s">(.*?)</interface>' % re.escape(INTERFACE), xml, re.S).group(1)
        members = re.findall(r"<(method|signal|property) name=\"(\w+)\"", body)
        self.assertEqual(members, [("signal", "presetUpdated"), ("signal", "presetRemoved"),
                                   ("method", "getAll"), ("method", "removePreset"), ("method", "updatePreset"),
                                   ("method", "start"), ("method", "pause"), ("method", "stop"),
                                   ("method", "postpone"), ("method", "availableActions")])
        self.assertEqual(len(re.findall(r'type="s"', body)), 10)

    def test_second_instance_exits_and_first_keeps_answering(self):
        self.add({"preset_name": "kept"})
        second = Process([SERVICE_BIN], env=dict(os.environ, XDG_CONFIG_HOME=self.config_home))
        self.assertEqual(second.wait(timeout=20), 0)
        self.assertEqual([p["preset_name"] for p in get_all()], ["kept"])
        self.assertIsNone(self.service.proc.poll())


class SignalOrderTest(IsolatedTestCase):
    """The signals a call causes leave before its reply: seen in one stream by a bus monitor."""

    def test_signal_precedes_reply(self):
        self.start_service()
        monitor = self.track(Process(["dbus-monitor", "--session"]))
        monitor.output.wait_for(lambda l: "NameAcquired" in l or "NameLost" in l or l.startswith("signal"),
                                what="dbus-monitor to start")
        call("updatePreset", '{"preset_name":"ordered"}')
        monitor.output.wait_for(lambda l: l.startswith("method return"), what="a reply")

        def events():
            # The reply is the return to the call's serial (the service asks
            # the bus things of its own meanwhile).
            found, call_ = [], None
            for line in monitor.output.snapshot():
                if line.startswith("signal") and "member=presetUpdated" in line:
                    found.append("signal")
                elif line.startswith("method call") and "member=updatePreset" in line:
                    call_ = re.search(r"sender=(\S+) .* serial=(\d+) ", line).groups()
                    found.append("call")
                elif line.startswith("method return") and call_ and re.search(
                        r"destination=%s serial=\d+ reply_serial=%s\b" % (re.escape(call_[0]), call_[1]), line):
                    found.append("return")
            return found
        wait_until(lambda: "return" in events(), 5, what="the reply in the monitor")
        order = events()
        self.assertEqual(order[:3], ["call", "signal", "return"], order)


class LifecycleTest(IsolatedTestCase):

    def test_acknowledged_preset_survives_sigterm(self):
        service = self.start_service()
        call("updatePreset", '{"preset_name":"durable","timer":{"timeout":60000}}')
        service.signal(signal.SIGTERM)
        self.assertEqual(service.wait(timeout=15), 0)
        with open(self.settings_file(), "rb") as f:
            self.assertIn(b"durable", f.read())
        # And it comes back.
        self.start_service()
        self.assertEqual([p["preset_name"] for p in get_all()], ["durable"])

    def test_sighup_and_sigint_also_save(self):
        for sig in (signal.SIGHUP, signal.SIGINT):
            service = self.start_service()
            call("updatePreset", json.dumps({"preset_name": "saved on %d" % sig}))
            service.signal(sig)
            self.assertEqual(service.wait(timeout=15), 0)
            wait_for_name_gone(BUS_NAME)
        with open(self.settings_file(), "rb") as f:
            text = f.read()
        self.assertIn(b"saved on %d" % signal.SIGHUP, text)
        self.assertIn(b"saved on %d" % signal.SIGINT, text)

    def test_activation_starts_the_service_on_first_call(self):
        # isolate.py points the session bus at the build tree's activation files.
        self.assertFalse(name_has_owner(BUS_NAME))
        self.assertEqual(call("getAll"), "[]")
        owner = gdbus("call", "--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                      "--method", "org.freedesktop.DBus.GetConnectionUnixProcessID", BUS_NAME)
        pid = int(re.search(r"uint32 (\d+)", owner).group(1))
        self.track(ForeignProcess(pid))
        self.assertEqual(os.path.realpath("/proc/%d/exe" % pid), os.path.realpath(SERVICE_BIN))


if __name__ == "__main__":
    unittest.main()
