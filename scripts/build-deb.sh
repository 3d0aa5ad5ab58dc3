#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Builds the Debian package of both programs into build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack -G DEB)
ls -1 build-deb/*.deb
