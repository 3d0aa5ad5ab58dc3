# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""The Debian package of the programs in this build tree, judged with Debian's
own tools. It is only unpacked into a temporary folder, never installed."""
import glob
import gzip
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from zelharness import BUILD_DIR


def run(argv):
    result = subprocess.run(argv, capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError("%s failed:\n%s%s" % (" ".join(argv), result.stdout, result.stderr))
    return result.stdout


class PackageTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="package-", dir=os.environ.get("ZEL_TEST_TMPDIR"))
        # cpack would first run the tree's preinstall target, which checks every target of the build tree
        # (some 12 s with all the tests' programs); ctest runs on a built tree, so the package is made from
        # the same install script without that check, stripped as CPACK_STRIP_FILES asks.
        config = os.path.join(BUILD_DIR, "CPackConfig.cmake")
        with open(config) as f:
            strip = re.search(r'^set\(CPACK_STRIP_FILES "(ON|TRUE|1)"\)', f.read(), re.M | re.I) is not None
        run(["cpack", "-G", "DEB", "--config", config, "-B", cls.tmp, "-D", "CPACK_INSTALL_CMAKE_PROJECTS=",
             "-D", "CPACK_INSTALL_SCRIPTS=" + os.path.join(BUILD_DIR, "cmake_install.cmake"),
             "-D", "CMAKE_INSTALL_DO_STRIP=%d" % strip])
        (cls.deb,) = glob.glob(os.path.join(cls.tmp, "*.deb"))
        cls.root = os.path.join(cls.tmp, "root")
        run(["dpkg-deb", "-x", cls.deb, cls.root])

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def test_lintian_reports_no_error_and_no_warning(self):
        result = subprocess.run(["lintian", "--fail-on", "error,warning", self.deb], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_postinst_gives_the_service_the_right_to_wake(self):
        # Turn On needs CAP_WAKE_ALARM on the service's file, set by setcap
        # from a package the control file names.
        control = os.path.join(self.tmp, "control")
        run(["dpkg-deb", "--control", self.deb, control])
        postinst = os.path.join(control, "postinst")
        run(["sh", "-n", postinst])
        self.assertEqual(os.stat(postinst).st_mode & 0o777, 0o755)
        with open(postinst) as f:
            self.assertIn("setcap cap_wake_alarm+ep /usr/bin/zel-shutdown-scheduler-service\n", f.read().replace(";", "\n"))
        self.assertTrue(os.path.exists(os.path.join(self.root, "usr/bin/zel-shutdown-scheduler-service")))
        self.assertIn("libcap2-bin", run(["dpkg-deb", "--field", self.deb, "Depends"]))

    def test_changelog_describes_the_packaged_version(self):
        version = run(["dpkg-deb", "--field", self.deb, "Version"]).strip()
        with gzip.open(os.path.join(self.root, "usr/share/doc/zel-scheduler/changelog.gz"), "rt") as f:
            newest = re.match(r"zel-scheduler \(([^)]+)\)", f.readline())
        self.assertEqual(newest and newest.group(1), version)

    def test_command_line_tells_the_packaged_version(self):
        version = run(["dpkg-deb", "--field", self.deb, "Version"]).strip()
        told = run([os.path.join(self.root, "usr/bin/zel-scheduler-cli"), "--version"])
        self.assertEqual(told, "zel-scheduler-cli %s\n" % version)

    def test_completions_are_named_after_packaged_programs(self):
        # bash-completion loads a completion by the name of the command typed.
        folder = os.path.join(self.root, "usr/share/bash-completion/completions")
        completions = os.listdir(folder) if os.path.isdir(folder) else []
        programs = os.listdir(os.path.join(self.root, "usr/bin"))
        self.assertEqual([c for c in completions if c not in programs], [])


if __name__ == "__main__":
    unittest.main()
