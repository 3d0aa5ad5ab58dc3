# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Helpers for the integration tests. They expect to run under isolate.py,
which provides the private buses, the display and the XDG folders.

Readiness is always waited for explicitly (a bus name appearing, a line of
output, a recorded call), with a bounded timeout; nothing sleeps and hopes.
"""
import functools
import json
import os
import signal
import queue
import re
import subprocess
import tempfile
import threading
import time
import unittest

BUS_NAME = "ru.velmora.shutdown.scheduler.service.PresetController"
OBJECT_PATH = "/Presets"
INTERFACE = BUS_NAME
PYTHON = "/usr/bin/python3"  # Debian's interpreter, which has dbusmock

SERVICE_BIN = os.environ.get("ZEL_SERVICE_BIN", "")
BUILD_DIR = os.environ.get("ZEL_BUILD_DIR", "")


def require_isolation():
    if os.environ.get("ZEL_TEST_ISOLATED") != "1":
        raise SystemExit("run this test through tests/harness/isolate.py")


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def gdbus(*args, bus="session", timeout=30, check=True):
    """Runs gdbus and returns its standard output."""
    cmd = ["gdbus"] + [args[0], "--" + bus] + list(args[1:])
    proc = subprocess.run(cmd, capture_output=True, text=True, timeout=timeout)
    if check and proc.returncode != 0:
        raise AssertionError("%s failed: %s" % (" ".join(cmd), proc.stderr.strip()))
    return proc.stdout


def parse_string_reply(text):
    """('…',) as gdbus prints a reply of one string, back to the string."""
    text = text.strip()
    if text == "()":
        return None
    match = re.fullmatch(r"\((.*),\)", text, re.S)
    if not match:
        raise AssertionError("unexpected gdbus reply: %r" % text)
    return gvariant_string(match.group(1))


def gvariant_string(literal):
    literal = literal.strip()
    quote = literal[0]
    assert quote in "'\"" and literal[-1] == quote, literal
    body = literal[1:-1]
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == "\\":
            n = body[i + 1]
            out.append({"n": "\n", "t": "\t", "\\": "\\", "'": "'", '"': '"'}.get(n, n))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def call(method, *args, timeout=30):
    """Calls a method of the service's interface through gdbus; returns the
    string result, or None for methods without one."""
    out = gdbus("call", "--dest", BUS_NAME, "--object-path", OBJECT_PATH,
                "--method", INTERFACE + "." + method, "--timeout", str(timeout), *args,
                timeout=timeout + 5)
    return parse_string_reply(out)


def get_all():
    return json.loads(call("getAll"))


def name_has_owner(name, bus="session"):
    out = gdbus("call", "--dest", "org.freedesktop.DBus", "--object-path", "/org/freedesktop/DBus",
                "--method", "org.freedesktop.DBus.NameHasOwner", name, bus=bus, check=False)
    return "true" in out


def wait_for_name(name, bus="session", timeout=15):
    wait_until(lambda: name_has_owner(name, bus), timeout, what="%s on the %s bus" % (name, bus))


def wait_for_name_gone(name, bus="session", timeout=15):
    wait_until(lambda: not name_has_owner(name, bus), timeout, what="%s to leave the %s bus" % (name, bus))


class LineReader:
    """Collects the lines a process writes to a pipe, on a thread."""

    def __init__(self, stream):
        self.lines = []
        self._queue = queue.Queue()
        self._lock = threading.Lock()
        self._thread = threading.Thread(target=self._run, args=(stream,), daemon=True)
        self._thread.start()

    def _run(self, stream):
        for line in iter(stream.readline, ""):
            with self._lock:
                self.lines.append(line.rstrip("\n"))
        stream.close()

    def join(self, timeout=5):
        self._thread.join(timeout)

    def snapshot(self):
        with self._lock:
            return list(self.lines)

    def wait_for(self, predicate, timeout=10, what="a line"):
        """Waits until predicate(line) holds for some line; returns that line."""
        def find():
            for line in self.snapshot():
                if predicate(line):
                    return line
            return None
        return wait_until(find, timeout, what=what)


class Process:
    """A child process whose output is collected line by line."""

    def __init__(self, argv, env=None, stderr_to_stdout=True):
        self.argv = argv
        self.proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT if stderr_to_stdout else subprocess.DEVNULL,
                                     text=True, bufsize=1)
        self.output = LineReader(self.proc.stdout)

    def signal(self, sig):
        if self.proc.poll() is None:
            self.proc.send_signal(sig)

    def wait(self, timeout=15):
        status = self.proc.wait(timeout=timeout)
        self.output.join()
        return status

    def stop(self, timeout=10):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.output.join()
        return self.proc.returncode


FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1"


@functools.lru_cache(maxsize=None)
def faketime_preload(program=None):
    """LD_PRELOAD for libfaketime under one of the built programs (the service
    by default), found once per program: ldd takes a good part of a second on a
    loaded machine. A sanitizer build needs its runtime first among the
    preloaded libraries."""
    preload = [FAKETIME_LIB]
    libs = subprocess.run(["ldd", program or SERVICE_BIN], capture_output=True, text=True).stdout
    asan = re.search(r"(\S*libasan\.so\S*) => (\S+)", libs)
    if asan:
        preload.insert(0, asan.group(2))
    return ":".join(preload)


def set_faked_clock(clock_file, seconds):
    """Writes the offset of a faked wall clock (faketime_env) from the real one,
    in whole milliseconds, replacing the file at once so that the program never
    reads half of it; returns the offset as written, which the program's clock
    now keeps to."""
    seconds = round(seconds, 3)
    with open(clock_file + ".new", "w") as f:
        f.write("%+.3f\n" % seconds)
    os.replace(clock_file + ".new", clock_file)
    return seconds


def faketime_env(clock_file):
    """The environment that runs the service on the wall clock written in
    clock_file (libfaketime; "+N" or "-N" seconds from the real clock, read
    anew at every look), its monotonic clock left real, in UTC."""
    return {"LD_PRELOAD": faketime_preload(), "FAKETIME_TIMESTAMP_FILE": clock_file, "FAKETIME_NO_CACHE": "1",
            "FAKETIME_DONT_FAKE_MONOTONIC": "1", "TZ": "UTC"}


def service_env(config_home=None, extra=None):
    env = dict(os.environ)
    if config_home:
        env["XDG_CONFIG_HOME"] = config_home
    env.setdefault("QT_LOGGING_RULES", "ru.velmora.*=true")
    for name, value in (extra or {}).items():
        if value is None:
            env.pop(name, None)  # None: not in the service's environment
        else:
            env[name] = value
    return env


def start_service(config_home=None, extra_env=None, wait=True, prefix=()):
    """Starts the built service (behind the command prefix, if any: unshare,
    setpriv...) and waits until its bus name is registered."""
    proc = Process(list(prefix) + [SERVICE_BIN], env=service_env(config_home, extra_env))
    if wait:
        try:
            wait_for_name(BUS_NAME)
        except AssertionError:
            proc.stop()
            raise AssertionError("service did not register; output:\n" + "\n".join(proc.output.snapshot()))
    return proc


class SignalMonitor:
    """Records the service's bus signals through `gdbus monitor`."""

    def __init__(self, bus="session"):
        self.process = Process(["gdbus", "monitor", "--" + bus, "--dest", BUS_NAME,
                                "--object-path", OBJECT_PATH])
        self.process.output.wait_for(lambda l: "Monitoring signals" in l, what="gdbus monitor to start")

    def signals(self, member=None):
        """[(member, first string argument)] in the order they arrived."""
        result = []
        for line in self.process.output.snapshot():
            match = re.match(r"^/Presets: %s\.(\w+) \((.*),\)$" % re.escape(INTERFACE), line)
            if match and (member is None or match.group(1) == member):
                result.append((match.group(1), gvariant_string(match.group(2))))
        return result

    def wait_for(self, member, predicate=lambda arg: True, timeout=10):
        return wait_until(lambda: [a for m, a in self.signals(member) if predicate(a)],
                          timeout, what="signal %s" % member)

    def stop(self):
        self.process.stop()


class Client:
    """A client that stays on the session bus after its call, as the window
    does: the service sends a running countdown's every second while one is
    there. stop() leaves the bus."""

    def __init__(self):
        import dbus  # Debian's python3-dbus, there for PYTHON
        self.bus = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
        self.proxy = dbus.Interface(self.bus.get_object(BUS_NAME, OBJECT_PATH), INTERFACE)

    def get_all(self):
        return json.loads(self.proxy.getAll())

    def stop(self):
        self.bus.close()


class MockPeer:
    """A python3-dbusmock template, e.g. MockPeer("polkitd", system=True)."""

    NAMES = {
        "polkitd": "org.freedesktop.PolicyKit1",
        "logind": "org.freedesktop.login1",
        "notification_daemon": "org.freedesktop.Notifications",
    }
    PATHS = {
        "polkitd": "/org/freedesktop/PolicyKit1/Authority",
        "logind": "/org/freedesktop/login1",
        "notification_daemon": "/org/freedesktop/Notifications",
    }

    def __init__(self, template, system=True, parameters=None):
        self.template = template
        self.bus = "system" if system else "session"
        argv = [PYTHON, "-m", "dbusmock", "--template", template]
        if system:
            argv.insert(3, "--system")
        if parameters:
            argv += ["--parameters", json.dumps(parameters)]
        # Peers start side by side: each is waited for on first use, and all
        # before the service starts (IsolatedTestCase.start_service).
        self.process = Process(argv)
        self._ready = False

    def wait_ready(self):
        if not self._ready:
            wait_for_name(self.NAMES[self.template], bus=self.bus)
            self._ready = True
        return self

    def mock_call(self, method, *args):
        self.wait_ready()
        return gdbus("call", "--dest", self.NAMES[self.template], "--object-path",
                     self.PATHS[self.template], "--method", "org.freedesktop.DBus.Mock." + method,
                     *args, bus=self.bus)

    def calls(self):
        """The lines the mock logged, one per call it received."""
        self.wait_ready()
        return self.process.output.snapshot()

    def stop(self):
        self.process.stop()


class ForeignProcess:
    """A process this test did not start (one the bus activated, say), ended
    with SIGTERM like a tracked Process."""

    def __init__(self, pid):
        self.pid = pid

    def stop(self):
        try:
            os.kill(self.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass


class IsolatedTestCase(unittest.TestCase):
    """Each test gets its own settings folder; processes registered with
    self.track() are ended after the test."""

    def setUp(self):
        require_isolation()
        self._tracked = []
        self.config_home = tempfile.mkdtemp(prefix="config-", dir=os.environ["ZEL_TEST_TMPDIR"])

    def track(self, thing):
        self._tracked.append(thing)
        return thing

    def tearDown(self):
        for thing in reversed(self._tracked):
            thing.stop()
        wait_for_name_gone(BUS_NAME)

    def start_service(self, extra_env=None, prefix=()):
        for thing in self._tracked:
            if isinstance(thing, MockPeer):
                thing.wait_ready()
        return self.track(start_service(self.config_home, extra_env, prefix=prefix))

    def settings_file(self):
        return os.path.join(self.config_home, "velmora", "zel-shutdown-scheduler-service.conf")
