#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""A complete, safe demo session of the scheduler.

- The service runs on a private session bus whose activation folder is the
  build tree's, with settings kept in build/demo/config (never the user's).
- Actions reach zel-wm-stub, a stand-in window manager on a private Xvfb
  display, which prints each command it receives: nothing is ever carried
  out on this machine.
- Only private buses: the machine's own login manager, polkit and desktop are
  never asked. python3-dbusmock's logind and polkitd stand in on a private
  system bus, the latter allowing the four power actions, so that the whole
  road (warning, authorization, command) is seen; a Plasma-like session
  manager (org.kde.Shutdown) and screen locker (org.freedesktop.ScreenSaver)
  stand in on the private session bus and print each call they receive.
- Notifications go to a recording notification daemon on the private bus.
- The window opens on the user's display; with no display it opens on the
  private Xvfb and a screenshot is written to a path printed at the end.

Closing the window or Ctrl-C ends every process started here, and nothing else.

usage: demo.py [--example [--countdown SECONDS]] [--lifetime SECONDS] [--until-action]
               [--screenshot PATH] [--state-dir DIR]
  --example       add and start a "Shut Down" countdown, warned at half its length
  --countdown     the example's length in seconds (20)
  --lifetime      end the session after SECONDS (for unattended runs)
  --until-action  end the session once the stand-in window manager got a command
"""
import argparse
import ctypes
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "harness"))
import isolate  # noqa: E402  (bus, Xvfb and clean-up helpers)

BUILD = os.environ.get("ZEL_BUILD_DIR", os.path.join(ROOT, "build"))
BIN = os.path.join(BUILD, "bin")
SHARE = os.path.join(BUILD, "share")
BUS_NAME = "ru.velmora.shutdown.scheduler.service.PresetController"
POWER_ACTIONS = ["org.freedesktop.login1.power-off", "org.freedesktop.login1.reboot",
                 "org.freedesktop.login1.suspend", "org.freedesktop.login1.hibernate"]
PYTHON = "/usr/bin/python3"
PRINT_LOCK = threading.Lock()


def say(prefix, text):
    with PRINT_LOCK:
        print("[%s] %s" % (prefix, text), flush=True)


def relay(proc_stream, prefix, filter_fn=None):
    def run():
        for line in iter(proc_stream.readline, ""):
            line = line.rstrip("\n")
            if filter_fn is None or filter_fn(line):
                say(prefix, line)
        proc_stream.close()
    threading.Thread(target=run, daemon=True).start()


def has_owner(name, bus, env):
    try:
        out = subprocess.run(["gdbus", "call", "--" + bus, "--timeout", "2", "--dest", "org.freedesktop.DBus",
                              "--object-path", "/org/freedesktop/DBus", "--method",
                              "org.freedesktop.DBus.NameHasOwner", name],
                             capture_output=True, text=True, env=env, timeout=5).stdout
    except (subprocess.TimeoutExpired, OSError):
        return False
    return "true" in out


def wait_for(predicate, timeout, what):
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            raise SystemExit("demo: timed out waiting for %s" % what)
        time.sleep(0.1)


def relay_gate(stream, acted):
    """Relays the shared output of the mock polkit, whose log lines begin
    with the time of the call, and of the stand-in window manager, which
    prints each command it receives."""
    def run():
        for line in iter(stream.readline, ""):
            line = line.rstrip("\n")
            if re.match(r"\d+\.\d+ ", line):
                if "CheckAuthorization" in line:
                    say("polkit (mock)", line)
            else:
                say("zel-wm received", line)
                acted.set()
        stream.close()
    threading.Thread(target=run, daemon=True).start()


def start_mock(template, system, env, parameters=None, stdout=subprocess.PIPE):
    argv = [PYTHON, "-m", "dbusmock", "--template", template]
    if system:
        argv.insert(3, "--system")
    if parameters:
        argv += ["--parameters", json.dumps(parameters)]
    proc = subprocess.Popen(argv, env=env, stdout=stdout, stderr=subprocess.DEVNULL, text=True)
    return proc


def start_generic_mock(name, path, interface, env):
    """A python3-dbusmock object on the session bus, given its methods by
    add_methods once it is there."""
    return subprocess.Popen([PYTHON, "-m", "dbusmock", name, path, interface], env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)


def add_methods(name, path, interface, methods, env):
    """Gives a generic mock methods (name, in signature) that do nothing but
    record their call."""
    wait_for(lambda: has_owner(name, "session", env), 20, name)
    for method, signature in methods:
        subprocess.run(["gdbus", "call", "--session", "--dest", name, "--object-path", path, "--method",
                        "org.freedesktop.DBus.Mock.AddMethod", interface, method, signature, "", ""],
                       check=True, env=env, capture_output=True)


def display_works(display):
    if not display:
        return False
    return subprocess.run(["xdpyinfo", "-display", display], capture_output=True).returncode == 0


def window_shown(display, title):
    out = subprocess.run(["xwininfo", "-display", display, "-root", "-tree"], capture_output=True, text=True).stdout
    return '"%s"' % title in out


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--example", action="store_true")
    parser.add_argument("--countdown", type=int, default=20)
    parser.add_argument("--lifetime", type=float, default=0)
    parser.add_argument("--until-action", action="store_true")
    parser.add_argument("--screenshot", default=os.path.join(BUILD, "demo", "screenshot.png"))
    parser.add_argument("--state-dir", default=os.path.join(BUILD, "demo"))
    args = parser.parse_args()

    for program in ("zel-shutdown-scheduler-service", "zel-scheduler", "zel-wm-stub"):
        if not os.access(os.path.join(BIN, program), os.X_OK):
            raise SystemExit("demo: %s is not built (run scripts/run.sh)" % program)

    # Everything started below stays below this process, so it can all be ended.
    ctypes.CDLL(None, use_errno=True).prctl(isolate.PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))

    os.makedirs(args.state_dir, exist_ok=True)
    tmp = tempfile.mkdtemp(prefix="run-", dir=args.state_dir)
    user_env = dict(os.environ)
    try:
        return session(args, tmp, user_env)
    except KeyboardInterrupt:
        say("demo", "interrupted")
        return 0
    finally:
        isolate.end_all_below_me()
        shutil.rmtree(tmp, ignore_errors=True)
        say("demo", "every process of the demo has ended")


def session(args, tmp, user_env):
    base = dict(user_env)
    for name in ("DBUS_SESSION_BUS_ADDRESS", "ZEL_WM_OWN_PID", "SESSION_MANAGER"):
        base.pop(name, None)
    base["XDG_RUNTIME_DIR"] = os.path.join(tmp, "runtime")
    os.makedirs(base["XDG_RUNTIME_DIR"], mode=0o700)

    # The private display where the stand-in window manager receives commands.
    _, wm_display = isolate.start_xvfb()
    say("demo", "private display for the window-manager stand-in: %s" % wm_display)
    # The stand-in and the mock polkit write to one pipe, so that their lines
    # come out in the order they were written: the command after the
    # authorization that allowed it.
    gate_read, gate_write = os.pipe()
    wm = subprocess.Popen([os.path.join(BIN, "zel-wm-stub")], env=dict(base, DISPLAY=wm_display),
                          stdout=gate_write, stderr=subprocess.PIPE, text=True)
    ready = wm.stderr.readline()
    if "ready" not in ready:
        raise SystemExit("demo: zel-wm-stub did not start: %s" % ready)
    acted = threading.Event()

    # The system bus: always a private one with stand-ins. A run must never
    # reach the machine's own login manager, which would power it off.
    _, system = isolate.start_bus(tmp, "system", [], base)
    base["DBUS_SYSTEM_BUS_ADDRESS"] = system
    logind = start_mock("logind", True, base)
    start_mock("polkitd", True, base, stdout=gate_write)
    os.close(gate_write)
    wait_for(lambda: has_owner("org.freedesktop.login1", "system", base), 20, "the mock login manager")
    wait_for(lambda: has_owner("org.freedesktop.PolicyKit1", "system", base), 20, "the mock polkit")
    allowed = POWER_ACTIONS + [a + "-multiple-sessions" for a in POWER_ACTIONS]
    subprocess.run(["gdbus", "call", "--system", "--dest", "org.freedesktop.PolicyKit1", "--object-path",
                    "/org/freedesktop/PolicyKit1/Authority", "--method", "org.freedesktop.DBus.Mock.SetAllowed",
                    json.dumps(allowed).replace('"', "'")], check=True, env=base, capture_output=True)
    relay(logind.stdout, "login manager (mock)", lambda l: "Can" not in l)
    relay_gate(os.fdopen(gate_read), acted)
    say("demo", "mock login manager and polkit on a private system bus; polkit allows the power actions")

    # The private session bus, which starts the service from the build tree.
    # Activated programs inherit this environment.
    service_env = dict(base)
    service_env.update({
        "DISPLAY": wm_display,
        "ZEL_WM_OWN_PID": str(wm.pid),
        "XDG_CONFIG_HOME": os.path.join(args.state_dir, "config"),
        "XDG_DATA_DIRS": ":".join([SHARE, base.get("XDG_DATA_DIRS", "/usr/local/share:/usr/share")]),
    })
    service_env.pop("QT_QPA_PLATFORM", None)
    _, session_bus = isolate.start_bus(tmp, "session", [os.path.join(SHARE, "dbus-1", "services")], service_env)
    service_env["DBUS_SESSION_BUS_ADDRESS"] = session_bus
    # The notification daemon, and a desktop's session manager and screen
    # locker with Plasma's names, all starting at once.
    notifications = start_mock("notification_daemon", False, service_env)
    session_manager = start_generic_mock("org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", service_env)
    locker = start_generic_mock("org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver",
                                service_env)
    wait_for(lambda: has_owner("org.freedesktop.Notifications", "session", service_env), 20, "the notification daemon")
    relay(notifications.stdout, "notification", lambda l: " Notify " in l)
    add_methods("org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", [("logout", "")], service_env)
    add_methods("org.freedesktop.ScreenSaver", "/ScreenSaver", "org.freedesktop.ScreenSaver", [("Lock", "")],
                service_env)
    relay(session_manager.stdout, "session manager (mock)")
    relay(locker.stdout, "screen locker (mock)")
    say("demo", "mock session manager and screen locker on the private session bus")
    say("demo", "presets are kept in %s/velmora/zel-shutdown-scheduler-service.conf" % service_env["XDG_CONFIG_HOME"])

    # The window: on the user's display, or on the private one.
    headless = not display_works(user_env.get("DISPLAY"))
    client_env = dict(user_env if not headless else service_env)
    client_env["DBUS_SESSION_BUS_ADDRESS"] = session_bus
    # The help page and the icons of the build tree.
    client_env["XDG_DATA_DIRS"] = service_env["XDG_DATA_DIRS"]
    client_env["DBUS_SYSTEM_BUS_ADDRESS"] = base["DBUS_SYSTEM_BUS_ADDRESS"]
    drawn = threading.Event()
    if headless:
        client_env["DISPLAY"] = wm_display
        client_env.setdefault("QT_QUICK_BACKEND", "software")
        # Qt's render-loop log tells when the window has drawn a frame: the
        # screenshot is taken then.
        client_env["QT_LOGGING_RULES"] = ";".join(
            filter(None, [client_env.get("QT_LOGGING_RULES"), "qt.scenegraph.time.renderloop.debug=true"]))
        say("demo", "no usable display: the window opens on %s" % wm_display)
    client = subprocess.Popen([os.path.join(BIN, "zel-scheduler")], env=client_env,
                              stderr=subprocess.PIPE if headless else None, text=True)
    if headless:
        def watch_frames():
            for line in iter(client.stderr.readline, ""):
                if "Frame rendered" in line:
                    drawn.set()
                else:
                    sys.stderr.write(line)
            client.stderr.close()
        threading.Thread(target=watch_frames, daemon=True).start()

    # The example's first call starts the service if the window has not yet
    # (the window wakes it once its documents are loaded): the countdown
    # runs while the window comes up.
    if args.example:
        example = {"preset_name": "Demo countdown", "preset_type": 0, "action_type": 0,
                   "timer": {"timeout": args.countdown * 1000, "notify": args.countdown * 500}}
        gdbus = ["gdbus", "call", "--session", "--timeout", "60", "--dest", BUS_NAME, "--object-path", "/Presets",
                 "--method"]
        subprocess.run(gdbus + [BUS_NAME + ".updatePreset", json.dumps(example)], env=service_env, check=True,
                       capture_output=True)
        presets = json.loads(eval(subprocess.run(gdbus + [BUS_NAME + ".getAll"], env=service_env, check=True,
                                                 capture_output=True, text=True).stdout)[0])
        uuid = [p for p in presets if p["preset_name"] == "Demo countdown"][-1]["preset_id"]
        subprocess.run(gdbus + [BUS_NAME + ".start", uuid], env=service_env, check=True, capture_output=True)
        say("demo", "started a %d s Shut Down countdown with a warning at half time (%s)" % (args.countdown, uuid))

    wait_for(lambda: has_owner(BUS_NAME, "session", service_env), 30, "the service to be activated")

    if headless:
        wait_for(lambda: (drawn.is_set() and window_shown(wm_display, "Scheduler")) or client.poll() is not None, 60,
                 "the window to be drawn")
        os.makedirs(os.path.dirname(os.path.abspath(args.screenshot)), exist_ok=True)
        subprocess.run(["import", "-display", wm_display, "-window", "root", args.screenshot], check=True)
        say("demo", "screenshot of the window: %s" % os.path.abspath(args.screenshot))

    deadline = time.monotonic() + args.lifetime if args.lifetime > 0 else None
    while client.poll() is None:
        if deadline and time.monotonic() > deadline:
            say("demo", "lifetime over")
            break
        if args.until_action and acted.is_set():
            say("demo", "the action reached the window manager")
            break
        time.sleep(0.2)
    return 0


if __name__ == "__main__":
    sys.exit(main())
