#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# Installs every Debian 12 package needed to build, run and test the scheduler.
# Idempotent: packages already present are left alone and apt-get is only
# called when something is missing.
set -euo pipefail

PACKAGES=(
    # build
    build-essential cmake extra-cmake-modules pkg-config
    qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev libqt5x11extras5-dev
    qtdeclarative5-dev-tools qttools5-dev-tools qttools5-dev libx11-dev
    libkf5dbusaddons-dev libkf5notifications-dev kirigami2-dev libpolkit-qt5-1-dev
    # QML modules the client loads at run time
    qml-module-org-kde-kirigami2 qml-module-org-kde-qqc2desktopstyle
    qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-templates2
    qml-module-qtquick-layouts qml-module-qtquick-dialogs qml-module-qtquick-window2
    qml-module-qttest plasma-framework
    # the window on Wayland: Qt's wayland platform, and a headless compositor
    # for its test
    qtwayland5 weston
    # icons of the window (action, run and tool buttons)
    breeze-icon-theme
    # Qt's own translations (standard buttons and dialogs)
    qttranslations5-l10n
    # run time and test peers
    dbus dbus-x11 libglib2.0-bin xvfb x11-utils imagemagick
    python3 python3-dbus python3-gi python3-dbusmock
    desktop-file-utils appstream dpkg-dev file xdg-utils
    # licence and packaging checks: reuse lint, lintian, systemd-analyze and
    # systemd's autostart generator
    reuse lintian systemd
    # unshare, mount, setpriv and prlimit: the service tests on full, read-only
    # settings and under a thread limit
    util-linux mount
    # calendar tests on a faked, sped-up or stepped wall clock
    faketime
    # the benchmark (scripts/bench.sh): the peer it is compared with, and the
    # tracing of the service's disk syncs
    kshutdown strace
    # the administrators' Ansible playbook (doc/managed-presets.md), run for
    # real by its test
    ansible-core
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
