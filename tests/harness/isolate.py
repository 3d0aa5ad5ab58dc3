#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""Runs one command in a sealed-off desktop of its own.

The command gets a private session bus (activating services from the build
tree's dbus-1/services folder), a private "system" bus with a permissive
policy, an Xvfb display (unless --no-x), and fresh XDG folders under a
temporary directory. It never sees the user's buses, settings or display.
When the command ends, every process started below this one (buses, Xvfb,
activated services, mock peers the command forgot) is ended, and the
command's exit status is returned.

usage: isolate.py [--no-x] [--data-dir DIR]... -- COMMAND [ARG]...
"""
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

PR_SET_CHILD_SUBREAPER = 36

BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>{type}</type>
  <listen>unix:tmpdir={tmp}</listen>
  {servicedirs}
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
    <allow eavesdrop="true"/>
  </policy>
  <limit name="reply_timeout">300000</limit>
</busconfig>
"""


def start_bus(tmp, bus_type, servicedirs, env):
    config = os.path.join(tmp, bus_type + ".conf")
    dirs = "\n  ".join("<servicedir>%s</servicedir>" % d for d in servicedirs)
    with open(config, "w") as f:
        f.write(BUS_CONFIG.format(type=bus_type, tmp=tmp, servicedirs=dirs))
    proc = subprocess.Popen(
        ["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)
    address = proc.stdout.readline().strip()
    if not address:
        raise RuntimeError("dbus-daemon (%s) did not start" % bus_type)
    return proc, address


def start_xvfb():
    read_fd, write_fd = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    data = b""
    deadline = time.monotonic() + 20
    while not data.endswith(b"\n") and time.monotonic() < deadline:
        chunk = os.read(read_fd, 16)
        if not chunk:
            break
        data += chunk
    os.close(read_fd)
    if not data.strip():
        proc.kill()
        raise RuntimeError("Xvfb did not start")
    return proc, ":" + data.decode().strip()


def descendants(root):
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        ppid = int(stat[stat.rindex(")") + 2:].split()[1])
        children.setdefault(ppid, []).append(int(entry))
    found, todo = [], [root]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child)
            todo.append(child)
    return found


def end_all_below_me():
    me = os.getpid()
    for sig in (signal.SIGTERM, signal.SIGKILL):
        pids = descendants(me)
        if not pids:
            return
        for pid in pids:
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                pass
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline and descendants(me):
            try:
                while os.waitpid(-1, os.WNOHANG)[0] > 0:
                    pass
            except ChildProcessError:
                pass
            time.sleep(0.01)


def main(argv):
    use_x = True
    data_dirs = []
    args = list(argv)
    while args and args[0] != "--":
        opt = args.pop(0)
        if opt == "--no-x":
            use_x = False
        elif opt == "--data-dir":
            data_dirs.append(os.path.abspath(args.pop(0)))
        else:
            sys.exit("isolate.py: unknown option %s" % opt)
    if not args or len(args) < 2:
        sys.exit(__doc__)
    command = args[1:]

    # Orphans (services the bus activated, daemons that double-fork) stay
    # below us, so that they can be ended with everything else.
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)

    tmp = tempfile.mkdtemp(prefix="zel-test-")
    env = dict(os.environ)
    try:
        for name in ("config", "config-dirs", "data", "cache", "runtime"):
            os.makedirs(os.path.join(tmp, name), mode=0o700)
        env["XDG_CONFIG_HOME"] = os.path.join(tmp, "config")
        # The machine's own /etc/xdg may hold an administrator's presets.
        env["XDG_CONFIG_DIRS"] = os.path.join(tmp, "config-dirs")
        env["XDG_DATA_HOME"] = os.path.join(tmp, "data")
        env["XDG_CACHE_HOME"] = os.path.join(tmp, "cache")
        env["XDG_RUNTIME_DIR"] = os.path.join(tmp, "runtime")
        env["XDG_DATA_DIRS"] = ":".join(data_dirs + ["/usr/local/share", "/usr/share"])
        env["ZEL_TEST_ISOLATED"] = "1"
        env["ZEL_TEST_TMPDIR"] = tmp
        # The texts the tests expect are English, whatever the language of
        # the machine, unless a test asks for a language (ZEL_TEST_LANG,
        # e.g. ru_RU.UTF-8). Qt reads the variable itself: the locale need
        # not be installed.
        for name in [n for n in env if n == "LANGUAGE" or n.startswith("LC_")]:
            env.pop(name, None)
        env["LANG"] = env.get("ZEL_TEST_LANG") or "C.UTF-8"
        for name in ("ZEL_WM_OWN_PID", "SESSION_MANAGER", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                     "DBUS_SYSTEM_BUS_ADDRESS"):
            env.pop(name, None)
        if use_x:
            _, display = start_xvfb()
            env["DISPLAY"] = display
            env.pop("QT_QPA_PLATFORM", None)
        else:
            env.pop("DISPLAY", None)
            env["QT_QPA_PLATFORM"] = "offscreen"
        # The buses hand their environment to the services they activate, so
        # they are started last, with everything above in place.
        servicedirs = [os.path.join(d, "dbus-1", "services") for d in data_dirs]
        _, system = start_bus(tmp, "system", [], env)
        env["DBUS_SYSTEM_BUS_ADDRESS"] = system
        _, session = start_bus(tmp, "session", servicedirs, env)
        env["DBUS_SESSION_BUS_ADDRESS"] = session
        child = subprocess.Popen(command, env=env)
        try:
            status = child.wait()
        except KeyboardInterrupt:
            child.terminate()
            status = child.wait()
        return status if status >= 0 else 128 - status
    finally:
        end_all_below_me()
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
