# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Presets an administrator sets in drop-in files under $XDG_CONFIG_DIRS:
the real service picks them up live, keeps them locked, keeps what the user
changed of them apart and across a restart, and never writes the files.
dbusmock's notification server (with actions) shows the warning's choices."""
import json
import os
import re
import subprocess
import unittest
import uuid

from zelharness import BUILD_DIR, IsolatedTestCase, MockPeer, SignalMonitor, call, get_all, wait_until

LOCK = 6
TIMER = 0
HOUR = 3600000


def new_id():
    return "{%s}" % uuid.uuid4()


def countdown(pid, timeout=HOUR, notify=0, running=True, **managed):
    preset = {"preset_id": pid, "preset_type": TIMER, "action_type": LOCK, "preset_running": running,
              "timer": {"timeout": timeout, "notify": notify}}
    if managed:
        preset["managed"] = managed
    return preset


class ManagedTestCase(IsolatedTestCase):

    def setUp(self):
        super().setUp()
        self.notifications = self.track(MockPeer("notification_daemon", system=False, parameters={
            "capabilities": "body actions persistence body-markup"}))
        self.dirs = [os.path.join(self.config_home, name) for name in ("site", "vendor")]
        self.drop_ins = [os.path.join(d, "zel-scheduler", "presets.d") for d in self.dirs]
        os.makedirs(self.drop_ins[0])
        os.makedirs(self.dirs[1])
        self.start()

    def start(self):
        self.service = self.start_service({"XDG_CONFIG_DIRS": ":".join(self.dirs)})

    def restart(self):
        self.service.stop()
        self._tracked.remove(self.service)
        self.start()

    def deploy(self, name, presets, folder=0):
        """Writes a file as deployment tools do: a hidden temporary file,
        renamed into place."""
        path = os.path.join(self.drop_ins[folder], name)
        text = presets if isinstance(presets, str) else json.dumps(presets, indent=2)
        with open(os.path.join(self.drop_ins[folder], ".%s.tmp" % name), "w") as f:
            f.write(text)
        os.replace(os.path.join(self.drop_ins[folder], ".%s.tmp" % name), path)
        return path

    def presets(self):
        return {p["preset_id"]: p for p in get_all()}

    def wait_presets(self, predicate, what):
        wait_until(lambda: predicate(self.presets()), 10, what=what)
        return self.presets()

    def log(self):
        return "\n".join(self.service.output.snapshot())

    def user_state_file(self):
        return os.path.join(self.config_home, "velmora", "zel-shutdown-scheduler-service-managed.conf")


class LiveFilesTest(ManagedTestCase):

    def test_files_added_changed_broken_and_removed(self):
        own = new_id()
        call("updatePreset", json.dumps(countdown(own, running=False)))
        a, b, c = new_id(), new_id(), new_id()
        monitor = self.track(SignalMonitor())

        path = self.deploy("10-lab.json", [countdown(a), countdown(b, running=False)])
        found = self.wait_presets(lambda p: a in p and b in p, "the file's presets")
        # Written and renamed into place: announced once.
        self.assertEqual(len([s for s in monitor.signals("presetUpdated") if json.loads(s[1])["preset_id"] == b]), 1)
        self.assertEqual([found[i].get("preset_managed") for i in (own, a, b)], [None, True, True])
        self.assertEqual((found[a]["preset_running"], found[b]["preset_running"]), (True, False))

        # Rewritten in place.
        with open(path, "w") as f:
            json.dump([countdown(a, timeout=2 * HOUR)], f)
        self.wait_presets(lambda p: b not in p and p[a]["timer"]["timeout"] == 2 * HOUR, "the change")

        # A broken file is skipped whole, told with its path and where.
        broken = self.deploy("20-broken.json", '[%s,\n  {"preset_id": }]' % json.dumps(countdown(c)))
        self.service.output.wait_for(lambda l: "Skipped the administrator's presets in %s: Line 2, column" % broken in l,
                                     what="the warning about the broken file")
        # A presets.d made after the start is watched too.
        os.makedirs(self.drop_ins[1])
        self.deploy("30-vendor.json", countdown(c), folder=1)
        self.wait_presets(lambda p: c in p, "the preset of a new folder")
        self.assertEqual(set(self.presets()), {own, a, c})

        with open(path, "rb") as f:
            before = f.read()
        os.remove(path)
        self.wait_presets(lambda p: a not in p, "the removal")
        self.assertEqual(set(self.presets()), {own, c})
        # Nothing of the administrator's reached the user's settings.
        with open(self.settings_file()) as f:
            self.assertNotIn(c.strip("{}"), f.read())
        self.assertIn(own, self.presets())
        self.assertTrue(before.startswith(b'[{"preset_id": "%s"' % a.encode()))


class LockedTest(ManagedTestCase):

    def test_locked_calls_user_state_and_restart(self):
        fixed, free = new_id(), new_id()
        path = self.deploy("lab.json", [countdown(fixed, user_may_stop=False), countdown(free)])
        with open(path, "rb") as f:
            text = f.read()
        self.wait_presets(lambda p: fixed in p and free in p, "the presets")

        changed = countdown(fixed, timeout=60000, running=False)
        call("updatePreset", json.dumps(changed))
        call("removePreset", fixed)
        call("stop", fixed)
        call("pause", fixed)
        call("pause", free)
        self.assertTrue(self.presets()[free]["preset_paused"])
        # The command line refuses with a sentence, the store unchanged.
        cli = os.path.join(BUILD_DIR, "bin", "zel-scheduler-cli")
        for args, status, sentence in [(["remove", fixed[1:9]], 1, "is set by your administrator and cannot be removed."),
                                       (["remove", free[1:9]], 1, "is set by your administrator and cannot be removed."),
                                       (["stop", fixed[1:9]], 1, "who does not let you pause or stop it."),
                                       (["stop", "--all"], 1, fixed[1:9] + " is set by your administrator, who does not"),
                                       (["start", free[1:9]], 0, "")]:
            proc = subprocess.run([cli] + args, capture_output=True, text=True, timeout=30)
            self.assertEqual(proc.returncode, status, (args, proc.stderr))
            self.assertIn(sentence, proc.stderr, args)
        rows = subprocess.run([cli, "list"], capture_output=True, text=True, timeout=30).stdout.splitlines()
        self.assertIn("  running, managed  ", next(r for r in rows if r.startswith(fixed[1:9])))
        presets = self.presets()
        self.assertEqual((presets[fixed]["preset_running"], presets[fixed]["timer"]["timeout"]), (True, HOUR))
        self.assertTrue(presets[free]["preset_running"])
        call("pause", free)
        self.assertTrue(self.presets()[free]["preset_paused"])
        self.assertIn("is set by the administrator: not changed", self.log())
        self.assertIn("is set by the administrator: not removed", self.log())

        # The user's pause survives a restart; nothing was written to the
        # user's presets or the administrator's file.
        self.restart()
        presets = self.presets()
        self.assertTrue(presets[free]["preset_paused"])
        self.assertTrue(presets[fixed]["preset_running"])
        with open(self.user_state_file()) as f:
            self.assertIn(free.strip("{}"), f.read())
        self.assertFalse(os.path.exists(self.settings_file()))
        with open(path, "rb") as f:
            self.assertEqual(f.read(), text)

        # The administrator's new version drops the user's state.
        self.deploy("lab.json", [countdown(fixed, user_may_stop=False), countdown(free, timeout=2 * HOUR)])
        self.wait_presets(lambda p: p[free]["timer"]["timeout"] == 2 * HOUR, "the new version")
        self.assertTrue(self.presets()[free]["preset_running"])

    def test_users_preset_with_a_managed_id_is_hidden_and_kept(self):
        pid = new_id()
        call("updatePreset", json.dumps(countdown(pid, running=False)))
        with open(self.settings_file(), "rb") as f:
            mine = f.read()
        path = self.deploy("lab.json", countdown(pid, timeout=2 * HOUR))
        self.wait_presets(lambda p: p[pid].get("preset_managed"), "the managed one in its place")
        self.assertIn("has the id of one set by the administrator", self.log())
        os.remove(path)
        self.wait_presets(lambda p: pid in p and not p[pid].get("preset_managed"), "the user's own back")
        self.assertEqual(self.presets()[pid]["timer"]["timeout"], HOUR)
        with open(self.settings_file(), "rb") as f:
            self.assertEqual(f.read(), mine)

    def test_warning_offers_only_what_the_user_may_do(self):
        cases = [({}, '["1", "Cancel", "2", "Postpone 10 minutes"]'),
                 ({"user_may_stop": False}, '["1", "Postpone 10 minutes"]'),
                 ({"user_may_postpone": False}, '["1", "Cancel"]'),
                 ({"user_may_stop": False, "user_may_postpone": False}, "[]")]
        # All warned a second after they start, each known by the time left
        # it tells: the n-th is n minutes longer.
        expected = []
        for n, (rights, actions) in enumerate(cases):
            timeout = HOUR + n * 60000
            left = (timeout - 1000) // 1000
            expected.append(("%02d:%02d:%02d" % (left // 3600, left // 60 % 60, left % 60), actions))
            self.deploy("warned-%d.json" % n, countdown(new_id(), timeout=timeout, notify=timeout - 1000, **rights))
        wait_until(lambda: len(self.warnings()) >= len(cases), 10, what="the warnings")
        self.assertCountEqual(self.warnings(), expected)

    def warnings(self):
        """(time left told, actions offered) of each countdown's warning."""
        return [re.search(r'"[^"]* after ([\d:]+)" (\[[^\]]*\])', l).groups()
                for l in self.notifications.calls() if " Notify " in l and '"x-kde-eventId": "alarm"' in l]


class AnsibleTest(ManagedTestCase):
    """The playbook of doc/managed-presets.md, run for real with ansible-core
    against localhost."""

    def run_playbook(self, *extra):
        doc = os.path.join(os.path.dirname(__file__), "..", "..", "doc", "managed-presets.md")
        with open(doc) as f:
            playbook = re.search(r"```yaml\n(.*?)```", f.read(), re.S).group(1)
        path = os.path.join(self.config_home, "lab-closes.yml")
        inventory = os.path.join(self.config_home, "inventory")
        with open(path, "w") as f:
            f.write(playbook)
        with open(inventory, "w") as f:
            f.write("[lab_pcs]\nlocalhost ansible_connection=local ansible_python_interpreter=/usr/bin/python3\n")
        # Ansible keeps its temporary files under the test's folder, not the
        # home folder.
        env = dict(os.environ, PATH=os.path.join(BUILD_DIR, "bin") + ":" + os.environ["PATH"], HOME=self.config_home,
                   ANSIBLE_LOCAL_TEMP=os.path.join(self.config_home, "ansible"),
                   ANSIBLE_REMOTE_TEMP=os.path.join(self.config_home, "ansible-remote"), ANSIBLE_NOCOLOR="1")
        return subprocess.run(["ansible-playbook", "-i", inventory, "-c", "local", path, "-e", "ansible_become=false",
                               "-e", "zel_config_dir=" + self.dirs[1]] + list(extra),
                              capture_output=True, text=True, env=env, timeout=300)

    def test_playbook_deploys_and_removes(self):
        lab = "{6b0c4f2e-3a8d-4e57-9c1b-2f7a5d9e8c41}"
        run = self.run_playbook()
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        found = self.wait_presets(lambda p: lab in p, "the deployed preset")[lab]
        self.assertEqual((found["preset_managed"], found["preset_running"], found["preset_name"]), (True, True, "Lab closes"))
        call("stop", lab)
        self.assertTrue(self.presets()[lab]["preset_running"])

        # A preset the check refuses never reaches the folder.
        deployed = os.path.join(self.drop_ins[1], "50-lab-closes.json")
        with open(deployed, "rb") as f:
            text = f.read()
        bad = json.dumps({"zel_lab_preset": dict(json.loads(text), managed={"user_may_stopp": False})})
        run = self.run_playbook("-e", bad)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn('preset 1: \\"managed.user_may_stopp\\" is not a known key.', run.stdout)
        with open(deployed, "rb") as f:
            self.assertEqual(f.read(), text)

        run = self.run_playbook("-e", "zel_preset_state=absent")
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.wait_presets(lambda p: lab not in p, "the removal")


if __name__ == "__main__":
    unittest.main()
