#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Builds the service and the status icon (release build in build-bench/) and prints what it costs
# while it waits and how precisely it acts, next to KShutdown (see
# scripts/bench.py). Everything runs on private buses and a private display;
# nothing is carried out.
#
#   bash scripts/bench.sh [--seconds N]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${ZEL_BENCH_BUILD:-build-bench}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target zel-shutdown-scheduler-service zel-wm-stub zel-scheduler-tray >/dev/null
ZEL_SERVICE_BIN="$(pwd)/$dir/bin/zel-shutdown-scheduler-service" ZEL_BUILD_DIR="$(pwd)/$dir" \
    /usr/bin/python3 tests/harness/isolate.py --data-dir "$dir/share" -- /usr/bin/python3 scripts/bench.py "$@"
