#!/usr/bin/python3
"""A safe demo session: a private session bus that activates the service from
the build tree, a private settings folder, and a few calls through gdbus that
show the service answering. Everything started here ends with it."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "harness"))

BUS = "ru.velmora.shutdown.scheduler.service.PresetController"


def gdbus_call(method, *args):
    cmd = ["gdbus", "call", "--session", "--dest", BUS, "--object-path", "/Presets",
           "--method", BUS + "." + method] + list(args)
    print("$ " + " ".join(cmd), flush=True)
    subprocess.run(cmd, check=True)


def inner():
    gdbus_call("getAll")
    gdbus_call("updatePreset", '{"preset_name":"Demo: shut down in 10 minutes","preset_type":0,'
               '"action_type":0,"timer":{"timeout":600000,"notify":300000}}')
    gdbus_call("getAll")
    print("settings file: %s/velmora/zel-shutdown-scheduler-service.conf" % os.environ["XDG_CONFIG_HOME"])


if __name__ == "__main__":
    if len(sys.argv) > 1 and sys.argv[1] == "--inner":
        inner()
        sys.exit(0)
    build_share = os.path.join(ROOT, "build", "share")
    sys.exit(subprocess.call(["/usr/bin/python3", os.path.join(ROOT, "tests", "harness", "isolate.py"),
                              "--no-x", "--data-dir", build_share, "--",
                              "/usr/bin/python3", os.path.abspath(__file__), "--inner"]))
