# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The README's demo session, run headless with a short lifetime."""
import os
import re
import subprocess
import tempfile
import unittest

from zelharness import BUILD_DIR, require_isolation

DEMO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "demo.py")


def call_time(line):
    """The time a mock logged with a call it relayed ("[mock] 1765432100.123 Method ...")."""
    return float(re.match(r"\[[^]]*\] (\d+\.\d+) ", line).group(1))


def processes_mentioning(text):
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        for part in ("cmdline", "environ"):
            try:
                with open("/proc/%s/%s" % (entry, part), "rb") as f:
                    if text.encode() in f.read():
                        found.append(int(entry))
                        break
            except OSError:
                pass
    return found


class DemoTest(unittest.TestCase):

    def test_headless_demo_shows_the_whole_road_and_cleans_up(self):
        require_isolation()
        state = tempfile.mkdtemp(prefix="demo-", dir=os.environ["ZEL_TEST_TMPDIR"])
        screenshot = os.path.join(BUILD_DIR, "demo-screenshot.png")
        if os.path.exists(screenshot):
            os.remove(screenshot)
        env = dict(os.environ, ZEL_BUILD_DIR=BUILD_DIR)
        env.pop("DISPLAY", None)
        result = subprocess.run(["/usr/bin/python3", DEMO, "--example", "--countdown", "4", "--until-action",
                                 "--lifetime", "120", "--state-dir", state, "--screenshot", screenshot],
                                env=env, capture_output=True, text=True, timeout=180)
        output = result.stdout
        self.assertEqual(result.returncode, 0, output + result.stderr)
        with open(screenshot, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")
        self.assertIn("screenshot of the window: %s" % screenshot, output)
        # Warning, authorization, command: in that order, the command once.
        # The mocks log the time of each call; the authorization and the
        # command share one pipe, so their lines keep their order.
        lines = output.splitlines()
        warning = [l for l in lines if l.startswith("[notification]") and "Shut Down" in l]
        polkit = [i for i, l in enumerate(lines) if "org.freedesktop.login1.power-off" in l]
        command = [i for i, l in enumerate(lines) if l == "[zel-wm received] ZELWM_SHUTDOWN"]
        self.assertEqual(len(warning), 1, output)
        self.assertEqual(len(command), 1, output)
        self.assertTrue(polkit and polkit[0] < command[0], output)
        self.assertLess(call_time(warning[0]), call_time(lines[polkit[0]]), output)
        self.assertIn("every process of the demo has ended", output)
        self.assertEqual(processes_mentioning(state), [])


if __name__ == "__main__":
    unittest.main()
