#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

"""What the service costs while it waits, and how precisely it acts.

Run through scripts/bench.sh, which builds the service and runs this inside
tests/harness/isolate.py (private buses, a private Xvfb display, temporary
settings). Every action is Lock, sent to zel-wm-stub, which only prints it.

Printed, for one running 1-hour countdown with no client on the bus (its
settings on the disk, then on tmpfs, where a sync does not wait) and with
one (a connection that has called getAll and stays, as the window does),
side by side with KShutdown counting down the same hour with --test (which
never acts), and for ten
running schedules due tomorrow: CPU %, wakeups per second (context switches,
voluntary and not, summed over every thread from /proc/PID/task/*/status),
settings-file writes (renames) and syncs per minute (strace, in a separate
minute so that it does not count its own wakeups), and RSS; then the RSS with
100 stored presets, and the offsets at which a few one-off schedules and
5-second countdowns fired. Last, the status icon (zel-scheduler-tray, shown
by a python3-dbusmock StatusNotifierWatcher standing in for the panel) with
nothing running, with ten schedules due tomorrow and with a countdown.
"""
import argparse
import glob
import json
import os
import re
import subprocess
import sys
import tempfile
import threading
import time
import uuid

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "harness"))
from zelharness import BUILD_DIR, PYTHON, Client, Process, call, start_service, wait_for_name, wait_until  # noqa: E402

TURN_ON, LOCK = -1, 6
TIMER, SCHEDULED, RANGE = 0, 1, 2
EVERY_DAY = 2


def new_id():
    return "{%s}" % uuid.uuid4()


def counters(pid):
    """(context switches, voluntary ones, CPU ns) summed over the threads of pid."""
    switches, voluntary, cpu = 0, 0, 0
    for task in glob.glob("/proc/%d/task/*" % pid):
        try:
            with open(task + "/status") as f:
                status = f.read()
            with open(task + "/schedstat") as f:
                cpu += int(f.read().split()[0])
        except OSError:
            continue
        switches += sum(int(n) for n in re.findall(r"^(?:non)?voluntary_ctxt_switches:\s+(\d+)", status, re.M))
        voluntary += int(re.search(r"^voluntary_ctxt_switches:\s+(\d+)", status, re.M).group(1))
    return switches, voluntary, cpu


def rss_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        return int(re.search(r"^VmRSS:\s+(\d+)", f.read(), re.M).group(1)) / 1024.0


def threads(pid):
    return len(os.listdir("/proc/%d/task" % pid))


def idle_cost(pid, seconds):
    s0, v0, c0 = counters(pid)
    t0 = time.monotonic()
    time.sleep(seconds)
    s1, v1, c1 = counters(pid)
    elapsed = time.monotonic() - t0
    return {"cpu": 100.0 * (c1 - c0) / 1e9 / elapsed, "wakeups": (s1 - s0) / elapsed, "voluntary": (v1 - v0) / elapsed}


def disk_per_minute(pid, seconds):
    """Renames and syncs of pid and its threads, per minute, traced by strace."""
    out = subprocess.run(["timeout", "-s", "INT", "-k", "5", str(seconds), "strace", "-f", "-qq", "-e",
                          "trace=fsync,fdatasync,rename,renameat,renameat2", "-p", str(pid)],
                         capture_output=True, text=True).stderr
    renames = len(re.findall(r"\brename(?:at2?)?\(", out))
    syncs = len(re.findall(r"\bf(?:data)?sync\(", out))
    return renames * 60.0 / seconds, syncs * 60.0 / seconds


def row(name, cost, disk, rss, nthreads):
    print("  %-34s CPU %6.3f %%  wakeups %5.2f /s (voluntary %5.2f)  writes %4.1f /min  syncs %4.1f /min  RSS %5.1f MiB  threads %d"
          % (name, cost["cpu"], cost["wakeups"], cost["voluntary"], disk[0], disk[1], rss, nthreads))


class Stamped:
    """The window manager stand-in, with the moment each command arrived."""

    def __init__(self):
        self.proc = subprocess.Popen([os.path.join(BUILD_DIR, "bin", "zel-wm-stub")], stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, text=True, bufsize=1)
        self.lines = []
        self.ready = threading.Event()
        threading.Thread(target=self._read, daemon=True).start()
        if not self.ready.wait(20):
            raise SystemExit("zel-wm-stub did not start")

    def _read(self):
        for line in iter(self.proc.stdout.readline, ""):
            now = time.time()
            if line.startswith("zel-wm-stub: ready"):
                self.ready.set()
            if line.startswith("ZELWM_"):
                self.lines.append(now)

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


def countdown(timeout, running=True, name="bench countdown"):
    return {"preset_id": new_id(), "preset_name": name, "preset_type": TIMER, "action_type": LOCK,
            "preset_running": running, "timer": {"timeout": timeout, "notify": 0}}


def schedule(start_ms, repeat=EVERY_DAY, running=True, name="bench schedule", action=LOCK):
    return {"preset_id": new_id(), "preset_name": name, "preset_type": SCHEDULED, "action_type": action,
            "preset_running": running,
            "schedule": {"start": start_ms, "end": start_ms + 365 * 86400000, "notify": 60000,
                         "repeat_settings": {"repeat_settings_type": repeat}}}


def window(running=True):
    # An hour starting 12 hours from now, every 5 minutes.
    start = (int(time.time() % 86400) + 12 * 3600) % 86400 * 1000
    return {"preset_id": new_id(), "preset_name": "bench window", "preset_type": RANGE, "action_type": LOCK,
            "preset_running": running, "interval": {"start": start, "end": (start + 3600000) % 86400000,
                                                    "regularity": 300000}}


def fresh_service(tmp, name):
    config = os.path.join(tmp, name)
    os.makedirs(config, exist_ok=True)
    env = {"QT_LOGGING_RULES": "*.debug=false"}
    if "ZEL_WM_PID" in os.environ:
        env["ZEL_WM_OWN_PID"] = os.environ["ZEL_WM_PID"]
    return start_service(config, env)


def settle(seconds=3):
    time.sleep(seconds)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--seconds", type=int, default=60, help="length of each measurement (default 60)")
    args = parser.parse_args()
    seconds = args.seconds
    tmp = os.environ["ZEL_TEST_TMPDIR"]
    wm = Stamped()
    os.environ["ZEL_WM_PID"] = str(wm.proc.pid)
    print("Measured over %d s each, on %s (%d cores)." % (seconds, os.uname().nodename, os.cpu_count()))

    print("\nOne running 1-hour countdown:")
    service = fresh_service(tmp, "countdown")
    pid = service.proc.pid
    settle()
    idle = idle_cost(pid, min(seconds, 20))
    call("updatePreset", json.dumps(countdown(3600000)))
    settle()
    cost = idle_cost(pid, seconds)
    disk = disk_per_minute(pid, seconds)
    row("zel-shutdown-scheduler-service", cost, disk, rss_mib(pid), threads(pid))
    service.stop()
    # The same on tmpfs, where a sync does not wait for a disk: what is left
    # is what the service itself wakes for.
    with tempfile.TemporaryDirectory(dir="/dev/shm") as shm:
        service = fresh_service(shm, "countdown")
        call("updatePreset", json.dumps(countdown(3600000)))
        settle()
        spid = service.proc.pid
        row("  the same, settings on tmpfs", idle_cost(spid, seconds), disk_per_minute(spid, seconds), rss_mib(spid),
            threads(spid))
        service.stop()
    service = fresh_service(tmp, "client")
    pid = service.proc.pid
    call("updatePreset", json.dumps(countdown(3600000)))
    client = Client()
    client.get_all()
    settle()
    cost = idle_cost(pid, seconds)
    disk = disk_per_minute(pid, seconds)
    row("  the same, a client connected", cost, disk, rss_mib(pid), threads(pid))
    client.stop()
    service.stop()

    kshutdown = subprocess.Popen(["kshutdown", "--test", "--hide-ui", "60m"], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
    settle(5)
    if kshutdown.poll() is None:
        kpid = kshutdown.pid
        row("KShutdown (kshutdown --test 60m)", idle_cost(kpid, seconds), disk_per_minute(kpid, seconds),
            rss_mib(kpid), threads(kpid))
        kshutdown.terminate()
        kshutdown.wait()
    else:
        print("  KShutdown could not be started")
    print("  (the service with nothing running: CPU %.3f %%, %.2f wakeups/s)" % (idle["cpu"], idle["wakeups"]))

    print("\nTen running schedules, every day, next due tomorrow (warned a minute before; five are Turn On, "
          "with the wake alarm armed):")
    service = fresh_service(tmp, "schedules")
    pid = service.proc.pid
    tomorrow = (int(time.time()) + 86400 - 3600) * 1000
    for i in range(10):
        call("updatePreset", json.dumps(schedule(tomorrow + i * 60000, action=TURN_ON if i % 2 else LOCK)))
    settle()
    cost = idle_cost(pid, seconds)
    disk = disk_per_minute(pid, seconds)
    row("zel-shutdown-scheduler-service", cost, disk, rss_mib(pid), threads(pid))
    print("  wakeups in the %d s: %d" % (seconds, round(cost["wakeups"] * seconds)))
    service.stop()

    print("\n100 stored presets (40 schedules and 20 windows running, 40 countdowns stopped):")
    service = fresh_service(tmp, "hundred")
    pid = service.proc.pid
    for i in range(40):
        call("updatePreset", json.dumps(schedule(tomorrow + i * 1000)))
    for i in range(20):
        call("updatePreset", json.dumps(window()))
    for i in range(40):
        call("updatePreset", json.dumps(countdown(600000, running=False)))
    settle()
    cost = idle_cost(pid, min(seconds, 20))
    print("  RSS %.1f MiB, %d threads, CPU %.3f %%, %.2f wakeups/s" % (rss_mib(pid), threads(pid), cost["cpu"],
                                                                      cost["wakeups"]))
    service.stop()

    print("\nFiring offsets (Lock, received by zel-wm-stub):")
    service = fresh_service(tmp, "offsets")
    base = int(time.time()) + 3
    for i in range(5):
        call("updatePreset", json.dumps(schedule((base + 2 * i) * 1000, repeat=1, name="one-off %d" % i)))
    wait_until(lambda: len(wm.lines) >= 5, timeout=30, what="five schedules to fire")
    offsets = [(t - (base + 2 * i)) * 1000 for i, t in enumerate(wm.lines[:5])]
    print("  one-off schedules, ms after their second: %s" % ", ".join("%.0f" % o for o in offsets))
    del wm.lines[:]
    offsets = []
    for i in range(3):
        preset = countdown(5000, running=False)
        call("updatePreset", json.dumps(preset))
        before = time.time()
        call("start", preset["preset_id"])
        after = time.time()
        wait_until(lambda: len(wm.lines) > i, timeout=20, what="the countdown to fire")
        offsets.append("%.0f..%.0f" % ((wm.lines[i] - after - 6) * 1000, (wm.lines[i] - before - 6) * 1000))
    print("  5 s countdowns, ms after start + 6 s (start call returned..sent): %s" % ", ".join(offsets))
    service.stop()

    print("\nThe status icon (zel-scheduler-tray), a stand-in tray host registered:")
    service = fresh_service(tmp, "tray")
    watcher = tray_host()
    tray = Process([os.path.join(BUILD_DIR, "bin", "zel-scheduler-tray")],
                   env=dict(os.environ, QT_LOGGING_RULES="*.debug=false"))
    wait_for_name("ru.velmora.zel-scheduler-tray")
    tpid = tray.proc.pid
    settle()
    tray_row("nothing running (hidden)", idle_cost(tpid, seconds), rss_mib(tpid), threads(tpid))
    for i in range(10):
        call("updatePreset", json.dumps(schedule(tomorrow + i * 60000)))
    settle()
    tray_row("ten schedules due tomorrow (shown)", idle_cost(tpid, seconds), rss_mib(tpid), threads(tpid))
    call("updatePreset", json.dumps(countdown(3600000)))
    settle()
    tray_row("and a running countdown", idle_cost(tpid, seconds), rss_mib(tpid), threads(tpid))
    tray.stop()
    watcher.stop()
    service.stop()
    wm.stop()


def tray_host():
    """A StatusNotifierWatcher with a host registered, as a panel has."""
    watcher = Process([PYTHON, "-m", "dbusmock", "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                       "org.kde.StatusNotifierWatcher"])
    wait_for_name("org.kde.StatusNotifierWatcher")
    mock = ["gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher", "--object-path",
            "/StatusNotifierWatcher", "--method"]
    subprocess.run(mock + ["org.freedesktop.DBus.Mock.AddMethod", "org.kde.StatusNotifierWatcher",
                           "RegisterStatusNotifierItem", "s", "", ""], check=True, capture_output=True)
    subprocess.run(mock + ["org.freedesktop.DBus.Mock.AddProperties", "org.kde.StatusNotifierWatcher",
                           "{'IsStatusNotifierHostRegistered': <true>, 'ProtocolVersion': <0>}"],
                   check=True, capture_output=True)
    return watcher


def tray_row(name, cost, rss, nthreads):
    print("  %-34s CPU %6.3f %%  wakeups %5.2f /s (voluntary %5.2f)  RSS %5.1f MiB  threads %d"
          % (name, cost["cpu"], cost["wakeups"], cost["voluntary"], rss, nthreads))


if __name__ == "__main__":
    main()
