# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""What `cmake --install` puts in place, installed into a temporary prefix."""
import configparser
import os
import shutil
import subprocess
import tempfile
import unittest

from zelharness import BUILD_DIR, BUS_NAME, IsolatedTestCase, call

EXPECTED = [
    "bin/zel-shutdown-scheduler-service",
    "bin/zel-scheduler",
    "share/dbus-1/services/ru.velmora.shutdown.scheduler.service.PresetController.service",
    "share/dbus-1/interfaces/ru.velmora.shutdown.scheduler.service.PresetController.xml",
    "share/knotifications5/zel-shutdown-scheduler-service.notifyrc",
    "share/applications/ru.velmora.zel-scheduler.desktop",
    "share/metainfo/ru.velmora.zel-scheduler.metainfo.xml",
    "share/zel-scheduler/help/index.html",
    "share/icons/hicolor/scalable/apps/system-schedule.svg",
    "share/icons/hicolor/scalable/actions/list-delete-symbolic.svg",
    "etc/xdg/autostart/zel-shutdown-scheduler-service.desktop",
]


class InstallTest(IsolatedTestCase):

    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="prefix-", dir=os.environ.get("ZEL_TEST_TMPDIR"))
        env = dict(os.environ)
        env.pop("DESTDIR", None)
        subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", cls.prefix], check=True,
                       capture_output=True, env=env)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def test_every_file_is_installed(self):
        missing = [f for f in EXPECTED if not os.path.isfile(self.path(f))]
        self.assertEqual(missing, [])
        for program in EXPECTED[:2]:
            self.assertTrue(os.access(self.path(program), os.X_OK), program)
        # Test-only programs stay in the build tree.
        self.assertFalse(os.path.exists(self.path("bin/zel-wm-stub")))

    def test_desktop_files_validate(self):
        for entry in ("share/applications/ru.velmora.zel-scheduler.desktop",
                      "etc/xdg/autostart/zel-shutdown-scheduler-service.desktop"):
            result = subprocess.run(["desktop-file-validate", self.path(entry)], capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.path("share/applications/ru.velmora.zel-scheduler.desktop"))
        self.assertEqual(entry["Desktop Entry"]["Name"], "Scheduler")
        self.assertEqual(entry["Desktop Entry"]["Icon"], "system-schedule")
        self.assertIn("System", entry["Desktop Entry"]["Categories"].split(";"))
        autostart = configparser.ConfigParser(interpolation=None)
        autostart.optionxform = str
        autostart.read(self.path("etc/xdg/autostart/zel-shutdown-scheduler-service.desktop"))
        self.assertEqual(autostart["Desktop Entry"]["NoDisplay"], "true")
        self.assertEqual(autostart["Desktop Entry"]["Exec"], "zel-shutdown-scheduler-service")

    def test_metainfo_validates_and_names_both_programs(self):
        metainfo = self.path("share/metainfo/ru.velmora.zel-scheduler.metainfo.xml")
        result = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        with open(metainfo) as f:
            text = f.read()
        self.assertIn("<binary>zel-scheduler</binary>", text)
        self.assertIn("<binary>zel-shutdown-scheduler-service</binary>", text)
        self.assertIn(BUS_NAME, text)

    def test_notification_configuration(self):
        notifyrc = configparser.ConfigParser(interpolation=None)
        notifyrc.optionxform = str
        notifyrc.read(self.path("share/knotifications5/zel-shutdown-scheduler-service.notifyrc"))
        self.assertIn("Global", notifyrc)
        self.assertIn("Event/alarm", notifyrc)
        self.assertIn("Popup", notifyrc["Event/alarm"].get("Action", ""))

    def test_installed_activation_file_starts_the_installed_service(self):
        service_file = self.path("share/dbus-1/services/ru.velmora.shutdown.scheduler.service.PresetController.service")
        with open(service_file) as f:
            self.assertIn("Exec=%s" % self.path("bin/zel-shutdown-scheduler-service"), f.read())
        # A session bus of its own whose only activation folder is the prefix's.
        config = os.path.join(self.prefix, "session.conf")
        with open(config, "w") as f:
            f.write("""<busconfig><type>session</type><listen>unix:tmpdir=%s</listen>
<servicedir>%s</servicedir>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>""" % (self.prefix, os.path.dirname(service_file)))
        env = dict(os.environ, XDG_CONFIG_HOME=self.config_home)
        bus = subprocess.Popen(["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, text=True, env=env)
        self.track(_Terminate(bus))
        address = bus.stdout.readline().strip()
        saved = os.environ["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        try:
            self.assertEqual(call("getAll"), "[]")
            owner = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus",
                                    "--object-path", "/org/freedesktop/DBus", "--method",
                                    "org.freedesktop.DBus.GetConnectionUnixProcessID", BUS_NAME],
                                   capture_output=True, text=True, check=True).stdout
            pid = int(owner.strip("()\n,").split()[-1])
            self.assertEqual(os.readlink("/proc/%d/exe" % pid), self.path("bin/zel-shutdown-scheduler-service"))
            os.kill(pid, 15)
        finally:
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = saved


class StagedInstallTest(unittest.TestCase):
    """DESTDIR staging, as packaging (CPack) does it: everything lands below
    DESTDIR, and what is installed names the final paths."""

    def test_everything_lands_below_destdir(self):
        with open(os.path.join(BUILD_DIR, "CMakeCache.txt")) as f:
            prefix = [l.split("=", 1)[1].strip() for l in f if l.startswith("CMAKE_INSTALL_PREFIX:")][0]
        staging = tempfile.mkdtemp(prefix="staging-", dir=os.environ.get("ZEL_TEST_TMPDIR"))
        try:
            subprocess.run(["cmake", "--install", BUILD_DIR], check=True, capture_output=True,
                           env=dict(os.environ, DESTDIR=staging))
            autostart = "/etc/xdg/autostart" if prefix == "/usr" else prefix + "/etc/xdg/autostart"
            self.assertTrue(os.path.isfile(staging + autostart + "/zel-shutdown-scheduler-service.desktop"))
            service = staging + prefix + \
                "/share/dbus-1/services/ru.velmora.shutdown.scheduler.service.PresetController.service"
            with open(service) as f:
                self.assertIn("Exec=%s/bin/zel-shutdown-scheduler-service\n" % prefix, f.read())
            for top, _, files in os.walk(staging):
                for name in files:
                    self.assertNotIn(staging.strip("/"), os.path.relpath(os.path.join(top, name), staging))
        finally:
            shutil.rmtree(staging, ignore_errors=True)


class _Terminate:
    def __init__(self, proc):
        self.proc = proc

    def stop(self):
        self.proc.terminate()
        self.proc.wait()
        self.proc.stdout.close()


if __name__ == "__main__":
    unittest.main()
