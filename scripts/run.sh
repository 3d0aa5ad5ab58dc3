#!/usr/bin/env bash
# Runs the scheduler safely: builds it if needed, then starts the service on a
# private session bus of its own and shows that it answers on the bus.
# Nothing here can perform a real power or session action.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
if [ ! -x build/bin/zel-shutdown-scheduler-service ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j"$(nproc)"

exec /usr/bin/python3 scripts/demo.py "$@"
