#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Runs the whole scheduler safely: installs what is missing, builds, then
# starts a demo session (scripts/demo.py): the service on a private session
# bus, a stand-in window manager that only prints the commands it receives,
# mock login manager, polkit, session manager and screen locker on private
# buses (never the machine's own), and the window on
# your display (or, with no display, on a private one with a screenshot).
# Nothing here can perform a real power or session action.
#
#   bash scripts/run.sh              the window; close it or press Ctrl-C to end
#   bash scripts/run.sh --example    also start a 20 s "Shut Down" countdown
#   bash scripts/run.sh --help       all options
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j"$(nproc)" --target zel-shutdown-scheduler-service zel-scheduler zel-wm-stub

exec /usr/bin/python3 scripts/demo.py "$@"
