#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Installs what is missing, configures, builds and runs the whole test suite.
# Every test runs on private buses, a private display and temporary settings
# (tests/harness/isolate.py); nothing touches the user's session.
#
#   scripts/run-tests.sh            normal build in build/
#   ZEL_SANITIZE=1 scripts/run-tests.sh   also a second build in build-asan/
#                                   with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON "$@"
    cmake --build "$dir" -j"$(nproc)"
    ctest --test-dir "$dir" --output-on-failure --timeout 600 -j2
}

run_suite build

if [ "${ZEL_SANITIZE:-0}" = 1 ]; then
    # The service never tears its controller down (it lives until the process
    # ends), so leak reports at exit are expected and switched off.
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    run_suite build-asan -DZEL_SANITIZE=ON
fi
