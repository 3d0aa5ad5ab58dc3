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
    "bin/zel-scheduler-cli",
    "bin/zel-scheduler-tray",
    "share/dbus-1/services/ru.velmora.shutdown.scheduler.service.PresetController.service",
    "share/dbus-1/interfaces/ru.velmora.shutdown.scheduler.service.PresetController.xml",
    "share/knotifications5/zel-shutdown-scheduler-service.notifyrc",
    "share/qlogging-categories5/zel-scheduler.categories",
    "share/applications/ru.velmora.zel-scheduler.desktop",
    "share/metainfo/ru.velmora.zel-scheduler.metainfo.xml",
    "share/zel-scheduler/help/index.html",
    "share/zel-scheduler/help/ru/index.html",
    "share/locale/ru/LC_MESSAGES/zel-scheduler_qt.qm",
    "share/locale/ru/LC_MESSAGES/zel-scheduler-common_qt.qm",
    "share/locale/ru/LC_MESSAGES/zel-shutdown-scheduler-service_qt.qm",
    "share/locale/ru/LC_MESSAGES/zel-scheduler-cli_qt.qm",
    "share/locale/ru/LC_MESSAGES/zel-scheduler-tray_qt.qm",
    "share/icons/hicolor/scalable/apps/system-schedule.svg",
    "share/icons/hicolor/scalable/actions/list-delete-symbolic.svg",
    "etc/xdg/autostart/zel-shutdown-scheduler-service.desktop",
    "lib/systemd/user/zel-shutdown-scheduler-service.service",
    "etc/xdg/autostart/zel-scheduler-tray.desktop",
    "lib/systemd/user/zel-scheduler-tray.service",
    "share/man/man1/zel-scheduler.1.gz",
    "share/man/man1/zel-shutdown-scheduler-service.1.gz",
    "share/man/man1/zel-scheduler-cli.1.gz",
    "share/man/man1/zel-scheduler-tray.1.gz",
    "share/bash-completion/completions/zel-scheduler-cli",
    "share/doc/zel-scheduler/copyright",
    "share/doc/zel-scheduler/changelog.gz",
    "share/doc/zel-scheduler/managed-presets.md",
]
UNIT = "lib/systemd/user/zel-shutdown-scheduler-service.service"
ACTIVATION_FILE = "share/dbus-1/services/ru.velmora.shutdown.scheduler.service.PresetController.service"
AUTOSTART = "etc/xdg/autostart/zel-shutdown-scheduler-service.desktop"
# The programs started with the session, each once: (unit, autostart entry, program).
SESSION_STARTS = [
    (UNIT, AUTOSTART, "zel-shutdown-scheduler-service"),
    ("lib/systemd/user/zel-scheduler-tray.service", "etc/xdg/autostart/zel-scheduler-tray.desktop",
     "zel-scheduler-tray"),
]
XDG_AUTOSTART_GENERATOR = "/usr/lib/systemd/user-generators/systemd-xdg-autostart-generator"


def read_ini(path):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(path)
    return parser


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
        for program in [f for f in EXPECTED if f.startswith("bin/")]:
            self.assertTrue(os.access(self.path(program), os.X_OK), program)
        # Test-only programs stay in the build tree.
        self.assertFalse(os.path.exists(self.path("bin/zel-wm-stub")))

    def test_desktop_files_validate(self):
        for entry in ["share/applications/ru.velmora.zel-scheduler.desktop"] + [a for _, a, _ in SESSION_STARTS]:
            result = subprocess.run(["desktop-file-validate", self.path(entry)], capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        entry = read_ini(self.path("share/applications/ru.velmora.zel-scheduler.desktop"))["Desktop Entry"]
        self.assertEqual(entry["Name"], "Scheduler")
        self.assertEqual(entry["Icon"], "system-schedule")
        self.assertIn("System", entry["Categories"].split(";"))
        for _, path, program in SESSION_STARTS:
            autostart = read_ini(self.path(path))["Desktop Entry"]
            self.assertEqual(autostart["NoDisplay"], "true")
            self.assertEqual(autostart["Exec"], program)
            # gnome-session's own key for entries that a systemd user unit replaces.
            self.assertEqual(autostart["X-GNOME-HiddenUnderSystemd"], "true")

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
        notifyrc = read_ini(self.path("share/knotifications5/zel-shutdown-scheduler-service.notifyrc"))
        self.assertIn("Global", notifyrc)
        self.assertIn("Event/alarm", notifyrc)
        self.assertIn("Popup", notifyrc["Event/alarm"].get("Action", ""))

    def test_systemd_unit_verifies(self):
        # MANPATH lets the check find the page the unit's Documentation= names.
        for unit, _, program in SESSION_STARTS:
            result = subprocess.run(["systemd-analyze", "--user", "verify", self.path(unit)], capture_output=True,
                                    text=True, env=dict(os.environ, MANPATH=self.path("share/man")))
            # systemd only warns about some mistakes ("..., ignoring"): any output fails.
            self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
            self.assertEqual(read_ini(self.path(unit))["Service"]["ExecStart"], self.path("bin/" + program))
            # Started with every graphical session run by systemd, without a
            # per-user "systemctl --user enable".
            wants = os.path.join(os.path.dirname(self.path(unit)), "graphical-session.target.wants",
                                 os.path.basename(unit))
            self.assertEqual(os.path.realpath(wants), os.path.realpath(self.path(unit)))

    def test_unit_and_activation_file_name_each_other(self):
        unit = read_ini(self.path(UNIT))
        activation = read_ini(self.path(ACTIVATION_FILE))["D-BUS Service"]
        self.assertEqual(activation["SystemdService"], os.path.basename(UNIT))
        self.assertEqual((unit["Service"]["Type"], unit["Service"]["BusName"]), ("dbus", BUS_NAME))
        self.assertEqual(activation["Name"], BUS_NAME)
        self.assertEqual(unit["Service"]["ExecStart"], activation["Exec"])
        self.assertEqual(unit["Service"]["Restart"], "on-failure")
        self.assertEqual(unit["Unit"]["PartOf"], "graphical-session.target")

    def test_systemd_sessions_skip_the_autostart_entry(self):
        # Control: the same entries without X-systemd-skip do become units.
        control = os.path.join(self.prefix, "control")
        os.makedirs(os.path.join(control, "autostart"))
        for _, autostart, _ in SESSION_STARTS:
            with open(self.path(autostart)) as source, \
                    open(os.path.join(control, "autostart", os.path.basename(autostart)), "w") as copy:
                copy.write("".join(l for l in source if not l.startswith("X-systemd-skip=")))
        # The generator makes units only of entries whose program is on PATH.
        env = dict(os.environ, PATH=self.path("bin") + os.pathsep + os.environ["PATH"])
        for config_dir, generated in ((self.path("etc/xdg"), False), (control, True)):
            out = tempfile.mkdtemp(dir=self.prefix)
            subprocess.run([XDG_AUTOSTART_GENERATOR, out, out, out], check=True, capture_output=True,
                           env=dict(env, XDG_CONFIG_DIRS=config_dir))
            units = [n for n in os.listdir(out) if n.endswith("@autostart.service")]
            self.assertEqual(len(units), len(SESSION_STARTS) if generated else 0, (config_dir, units))

    def test_installed_activation_file_starts_the_installed_service(self):
        service_file = self.path(ACTIVATION_FILE)
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
