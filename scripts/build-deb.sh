#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Builds the Debian package of both programs into build-deb/, with Debian's
# own compiler and linker flags (hardening included).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack -G DEB)
ls -1 build-deb/*.deb
