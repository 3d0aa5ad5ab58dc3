# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""zel-scheduler-cli, the built program, against the real service on the
private buses of isolate.py."""
import json
import os
import re
import signal
import subprocess
import time
import unittest

from zelharness import (BUILD_DIR, BUS_NAME, ForeignProcess, IsolatedTestCase, MockPeer, Process, faketime_preload,
                        gdbus, get_all, name_has_owner)

CLI = os.path.join(BUILD_DIR, "bin", "zel-scheduler-cli")
SHORT_ID = re.compile(r"^[0-9a-f]{8}$")


def cli(*args, env=None, timeout=30):
    """Runs the program; returns (status, stdout, stderr)."""
    proc = subprocess.run([CLI] + list(args), capture_output=True, text=True, timeout=timeout,
                          env=dict(os.environ, **(env or {})))
    return proc.returncode, proc.stdout, proc.stderr


def service_pid():
    owner = gdbus("call", "--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                  "--method", "org.freedesktop.DBus.GetConnectionUnixProcessID", BUS_NAME)
    return int(re.search(r"uint32 (\d+)", owner).group(1))


class WithoutServiceTest(IsolatedTestCase):

    def test_help_of_each_command_wakes_nothing(self):
        for command in ["list", "add", "start", "pause", "stop", "remove", "watch", "actions", "check"]:
            for args in ([command, "--help"], ["help", command]):
                status, out, err = cli(*args)
                self.assertEqual((status, err), (0, ""), args)
                self.assertTrue(out.startswith("Usage: zel-scheduler-cli " + command), out)
                self.assertIn("\nExamples:\n", out)
        status, out, err = cli("--help")
        self.assertEqual((status, err), (0, ""))
        self.assertIn("\nExit status:\n  0  Done.\n  1  ", out)
        self.assertFalse(name_has_owner(BUS_NAME))

    def test_speaks_the_users_language(self):
        status, out, err = cli("add", "foo", env={"LANG": "ru_RU.UTF-8"})
        self.assertEqual(status, 2)
        self.assertIn('"foo" — не действие. Укажите одно из: shutdown, reboot,', err)
        status, out, err = cli("--help", env={"LANG": "ru_RU.UTF-8"})
        self.assertIn("\nКоды выхода:\n  0  Выполнено.\n", out)

    def test_bash_completion(self):
        script = os.path.join(os.path.dirname(__file__), "..", "..", "cli", "zel-scheduler-cli.bash-completion")
        cases = [
            (["st"], "start stop"),
            (["ac"], "actions"),
            (["actions", "--"], "--json --help"),
            (["add", "lo"], "lock logout"),
            (["add", "t"], "turn-on"),
            (["add", "lock", "--at", "22:00", "--rep"], "--repeat"),
            (["add", "lock", "--repeat", "w"], "weekly"),
            (["add", "lock", "--on", "mon,t"], "mon,tue mon,thu"),
            (["stop", "--"], "--all --help"),
        ]
        for words, expected in cases:
            line = 'source "$1"; COMP_WORDS=(zel-scheduler-cli %s); COMP_CWORD=%d; _zel_scheduler_cli; echo "${COMPREPLY[*]}"' % (
                " ".join("'%s'" % w for w in words), len(words))
            result = subprocess.run(["bash", "-c", line, "bash", script], capture_output=True, text=True, check=True)
            self.assertEqual(result.stdout.strip(), expected, words)

    def test_check_drop_in_files(self):
        lab = {"preset_id": "{0f8fad5b-d9cb-469f-a165-70867728950e}", "preset_type": 1, "action_type": 0,
               "preset_running": True, "managed": {"user_may_stop": False},
               "schedule": {"start": 1767643200000, "end": 4102444800000,
                            "repeat_settings": {"repeat_settings_type": 3, "repeat_settings_selected": [1, 2, 3, 4, 5]}}}
        passed = dict(lab, preset_id="{7c9e6679-7425-40de-944b-e07fc1f90ae7}",
                      schedule={"start": 1000000000000, "end": 1000000000000})
        files = {
            "lab.json": json.dumps(lab, indent=2),
            "two": json.dumps([lab, dict(lab, preset_id="{7c9e6679-7425-40de-944b-e07fc1f90ae7}")]),
            "broken.json": '[\n  {"preset_id": "x",\n  }\n]',
            "typo.json": json.dumps(dict(lab, managed={"user_may_stopp": False})),
            "passed.json": json.dumps(passed),
            "bad-two.json": json.dumps([lab, dict(lab, action_type=99, preset_running="yes")]),
        }
        for name, text in files.items():
            with open(os.path.join(self.config_home, name), "w") as f:
                f.write(text)
        cases = [
            (["lab.json", "two"], 0, "", "lab.json: 1 preset, valid.\n{0}two: 2 presets, valid.\n"),
            (["broken.json"], 1, "broken.json: Line 3, column 3: ", ""),
            (["typo.json"], 1, 'typo.json, preset 1: "managed.user_may_stopp" is not a known key.', ""),
            (["passed.json"], 1, "passed.json, preset 1: This schedule would never act", ""),
            (["bad-two.json"], 1, 'bad-two.json, preset 2: "action_type" must be the number of an action, from', ""),
            (["lab.json", "missing.json"], 1, "missing.json: The file cannot be read: ", "lab.json: 1 preset, valid.\n"),
            ([], 2, "Name the files to check.", ""),
        ]
        for names, status, err_part, out in cases:
            got_status, got_out, got_err = cli("check", *[os.path.join(self.config_home, n) for n in names])
            self.assertEqual(got_status, status, (names, got_err))
            self.assertIn(err_part.replace("\n", "\n" + self.config_home + "/"), got_err, names)
            self.assertEqual(got_out, out.replace("{0}", self.config_home + "/") if not out else
                             self.config_home + "/" + out.replace("{0}", self.config_home + "/"), names)
        # The second preset of bad-two.json has two problems: a sentence each.
        self.assertEqual(cli("check", os.path.join(self.config_home, "bad-two.json"))[2].count("\n"), 2)
        self.assertFalse(name_has_owner(BUS_NAME))

    def test_first_command_starts_the_service(self):
        self.assertFalse(name_has_owner(BUS_NAME))
        status, out, err = cli("list")
        self.track(ForeignProcess(service_pid()))
        self.assertEqual((status, err), (0, ""))
        self.assertIn("There are no presets", out)


class CliTest(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.service = self.start_service()

    def add(self, *args):
        status, out, err = cli("add", *args)
        self.assertEqual((status, err), (0, ""), args)
        self.assertRegex(out.strip(), SHORT_ID)
        return out.strip()

    def preset(self, short_id):
        (found,) = [p for p in get_all() if p["preset_id"].startswith("{" + short_id)]
        return found

    def state(self, short_id):
        found = self.preset(short_id)
        return "running" if found["preset_running"] else "paused" if found["preset_paused"] else "stopped"

    def test_add_each_kind_as_the_window_writes_it(self):
        began = time.monotonic()
        timer = self.add("shutdown", "--in", "1h30m", "--warn", "5m", "--start")
        weekly = self.add("reboot", "--at", "23:00", "--repeat", "every 2 weeks", "--on", "mon,fri", "--start")
        window = self.add("lock", "--between", "23:00-01:00", "--every", "5m", "--name", "Late lock")
        once = self.add("sleep", "--at", "2027-01-15 08:00", "--warn", "1d")

        presets = {p["preset_id"][1:9]: p for p in json.loads(cli("list", "--json")[1])}
        counted = (time.monotonic() - began) * 1000
        self.assertEqual(list(presets), [timer, weekly, window, once])
        # --start has waited for the service's report.
        self.assertEqual([p["preset_running"] for p in presets.values()], [True, True, False, False])
        self.assertEqual(presets[timer]["preset_name"], "Shut Down 1:30")
        self.assertEqual((presets[timer]["preset_type"], presets[timer]["action_type"]), (0, 0))
        # The countdown runs while the others are added: no more gone than
        # has passed.
        remaining = presets[timer]["timer"].pop("remainingTime")
        self.assertEqual(presets[timer]["timer"], {"timeout": 5400000, "notify": 300000})
        self.assertTrue(0 <= 5400000 - remaining <= counted, (remaining, counted))
        schedule = presets[weekly]["schedule"]
        self.assertEqual(schedule["repeat_settings"], {"repeat_settings_type": 6, "repeat_settings_custom_type": 1,
                                                       "repeat_settings_count": 2, "repeat_settings_selected": [1, 5]})
        start = time.localtime(schedule["start"] / 1000)
        self.assertEqual((start.tm_hour, start.tm_min, start.tm_sec, schedule["start"] % 1000), (23, 0, 0, 0))
        self.assertEqual(schedule["end"], 253402300799000)  # no end
        self.assertEqual(presets[window]["interval"], {"start": 82800000, "end": 3600000, "regularity": 300000})
        self.assertEqual(presets[window]["preset_name"], "Late lock")
        self.assertEqual(presets[once]["schedule"]["end"], presets[once]["schedule"]["start"])
        self.assertEqual(presets[once]["schedule"]["notify"], 86400000)

        status, out, err = cli("list")
        self.assertEqual((status, err), (0, ""))
        lines = out.splitlines()
        self.assertEqual(lines[0].split(), ["ID", "NAME", "KIND", "ACTION", "STATE", "WHEN"])
        rows = {line[:8]: line for line in lines[1:]}
        self.assertEqual(list(rows), [timer, weekly, window, once])
        self.assertRegex(rows[timer], r"Timer\s+Shut Down\s+running\s+(tomorrow )?at \d\d:\d\d")
        self.assertRegex(rows[weekly], r"Schedule\s+Reboot\s+running\s+next: .* 23:00.* · in ")
        self.assertRegex(rows[window], r"Late lock\s+Interval\s+Lock\s+stopped\s+-$")

    def test_start_pause_stop_remove_by_id_prefix_and_name(self):
        first = self.add("lock", "--in", "10m", "--name", "Tea")
        second = self.add("logout", "--between", "12:00-13:00", "--every", "1m")
        third = self.add("reboot", "--in", "1h", "--start")
        steps = [
            (("start", first[:5], second), {first: "running", second: "running"}),
            (("pause", "Tea"), {first: "paused", second: "running"}),
            # Paused presets stay paused.
            (("stop", "--all"), {first: "paused", second: "stopped", third: "stopped"}),
            (("stop", "{" + first.upper()), {first: "stopped"}),
            (("start", first, first, "Tea"), {first: "running"}),
        ]
        for args, expected in steps:
            status, out, err = cli(*args)
            self.assertEqual((status, out, err), (0, "", ""), args)
            # Each command has waited until the service reported the change.
            self.assertEqual({i: self.state(i) for i in expected}, expected, args)
        full_id = self.preset(second)["preset_id"]
        self.assertEqual(cli("remove", "Tea", full_id), (0, "", ""))
        self.assertEqual([p["preset_id"][1:9] for p in get_all()], [third])

    def test_errors_say_what_is_wrong_and_change_nothing(self):
        self.add("lock", "--in", "10m", "--name", "Twin")
        self.add("lock", "--in", "20m", "--name", "Twin")
        before = get_all()
        with open(self.settings_file(), "rb") as f:
            stored = f.read()
        cases = [
            (("add", "shutdwn", "--in", "10m"), 2, '"shutdwn" is not an action. Use one of: shutdown, reboot'),
            (("add", "lock", "--in", "10 min"), 2, '"10 min" is not a duration.'),
            (("add", "lock", "--at", "25:00"), 2, '"25:00" is not a date and time.'),
            (("add", "lock", "--at", "23:00", "--repeat", "biweekly"), 2, '"biweekly" is not a repeat rule.'),
            (("add", "lock", "--at", "23:00", "--repeat", "weekly", "--on", "1,15"), 2, '"1,15" is not a list of weekdays.'),
            (("add", "lock", "--between", "12-13", "--every", "5m"), 2, '"12-13" is not a daily window.'),
            (("add", "lock", "--in", "10m", "--at", "23:00"), 2, "exactly one of --in, --at or --between"),
            (("add", "lock", "--in", "10m", "--bogus"), 2, "Unknown option 'bogus'"),
            (("frobnicate",), 2, '"frobnicate" is not a command.'),
            (("start",), 2, "Name at least one preset"),
            (("add", "lock", "--in", "0s"), 1, "A countdown of zero never runs"),
            (("add", "lock", "--in", "5m", "--warn", "5m"), 1, "Choose a shorter one"),
            (("add", "lock", "--at", "2027-01-15 08:00", "--until", "2027-01-14 08:00", "--repeat", "daily"), 1,
             "The end is before the start"),
            (("add", "lock", "--at", "2020-01-15 08:00"), 1, "This schedule would never act"),
            (("add", "lock", "--between", "12:00-12:00", "--every", "5m"), 1, "starts when it ends"),
            (("start", "nothing"), 3, 'No preset matches "nothing".'),
            # One name that matches nothing spoils the command for all.
            (("stop", before[0]["preset_id"], "nothing"), 3, 'No preset matches "nothing".'),
            (("remove", "Twin"), 3, '"Twin" matches 2 presets; name one by more of its id:\n  %s  Twin\n  %s  Twin'
             % (before[0]["preset_id"], before[1]["preset_id"])),
        ]
        for args, expected_status, message in cases:
            status, out, err = cli(*args)
            self.assertEqual((status, out), (expected_status, ""), args)
            self.assertTrue(err.startswith("zel-scheduler-cli: "), err)
            self.assertIn(message, err, args)
            self.assertEqual(get_all(), before, args)
        with open(self.settings_file(), "rb") as f:
            self.assertEqual(f.read(), stored)

    def test_service_not_reachable(self):
        status, out, err = cli("list", env={"DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent/bus"})
        self.assertEqual((status, out), (4, ""))
        self.assertIn("zel-scheduler-cli: The scheduler service is not reachable: ", err)
        # A service that does not answer is given up after the bound; the
        # program's clocks run ten times faster here, its monotonic one too.
        self.service.signal(signal.SIGSTOP)
        try:
            status, out, err = cli("stop", "--all", timeout=120,
                                   env={"LD_PRELOAD": faketime_preload(CLI), "FAKETIME": "+0 x10"})
        finally:
            self.service.signal(signal.SIGCONT)
        self.assertEqual((status, out), (4, ""))
        self.assertIn("it did not answer within 10 seconds", err)

    def test_actions_as_a_table_and_as_json(self):
        # No zel-wm and no desktop on the session bus: logind alone.
        self.track(MockPeer("logind", parameters={"CanSuspend": "challenge", "CanHibernate": "na"}).wait_ready())
        status, out, err = cli("actions", env={"XDG_SESSION_ID": "", "XDG_CURRENT_DESKTOP": ""})
        self.assertEqual((status, err), (0, ""))
        rows = [line.split(None, 2) for line in out.splitlines()]
        self.assertEqual(rows[0], ["ACTION", "AVAILABLE", "HOW"])
        self.assertEqual(dict((r[0], r[1:]) for r in rows[1:]), {
            "shutdown": ["yes", "logind"], "reboot": ["yes", "logind"],
            "sleep": ["yes", "logind, asks for a password"],
            "hibernate": ["no", "logind says this machine cannot"],
            "switch-user": ["no", "not available on this desktop"],
            "new-session": ["no", "not available on this desktop"],
            "lock": ["yes", "logind session"], "logout": ["yes", "logind session"],
            "turn-on": ["yes", "wake alarm"]})
        status, out, err = cli("actions", "--json")
        self.assertEqual(status, 0)
        self.assertEqual(json.loads(out)[1], {"action_type": 0, "available": True, "route": "logind", "can": "yes"})

    def test_watch_prints_each_change_until_interrupted(self):
        watchers = [self.track(Process([CLI, "watch"] + extra)) for extra in ([], ["--json"])]
        for watcher in watchers:
            watcher.output.wait_for(lambda line: "Watching the presets" in line, what="watch to be ready")
        added = self.add("hibernate", "--in", "2h", "--name", "Night")
        self.assertEqual(cli("remove", added), (0, "", ""))
        self.service.stop()
        human, machine = watchers
        human.output.wait_for(lambda line: "left the bus" in line, what="the service leaving")
        machine.output.wait_for(lambda line: "service-gone" in line, what="the service leaving")
        # The next command starts it again, and the watchers follow it.
        again = self.add("lock", "--in", "1m", "--name", "Again")
        self.track(ForeignProcess(service_pid()))
        human.output.wait_for(lambda line: "Again" in line, what="the preset added after the restart")
        machine.output.wait_for(lambda line: "Again" in line, what="the preset added after the restart")
        for watcher in watchers:
            watcher.signal(signal.SIGINT)
            self.assertEqual(watcher.wait(), 0)
        # The activated service keeps its presets where the next test's would.
        self.assertEqual(cli("remove", again), (0, "", ""))

        lines = [line for line in human.output.snapshot() if "Watching" not in line]
        self.assertRegex(lines[0], r"^\d\d:\d\d:\d\d %s  Night  Timer  Hibernation  stopped  -$" % added)
        self.assertRegex(lines[1], r"^\d\d:\d\d:\d\d %s  removed$" % added)
        self.assertRegex(lines[2], r"^\d\d:\d\d:\d\d The scheduler service has left the bus\.$")
        self.assertRegex(lines[3], r"^\d\d:\d\d:\d\d The scheduler service is back\.$")
        self.assertRegex(lines[4], r"^\d\d:\d\d:\d\d %s  Again  Timer  Lock  stopped  -$" % again)
        self.assertEqual(len(lines), 5)
        events = [json.loads(line) for line in machine.output.snapshot() if line.startswith("{")]
        self.assertEqual([e["event"] for e in events], ["updated", "removed", "service-gone", "service-back", "updated"])
        self.assertEqual(events[0]["preset"]["preset_name"], "Night")
        self.assertEqual(events[1]["preset_id"], events[0]["preset"]["preset_id"])


if __name__ == "__main__":
    unittest.main()
