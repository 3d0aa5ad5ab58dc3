#!/bin/sh

# SPDX-FileCopyrightText: 2026 Zel Scheduler authors
#
# SPDX-License-Identifier: GPL-2.0-or-later

# usage: first-frame.sh PROGRAM
# Runs the window program until its window has drawn its first frame, then
# ends it. Exits 0 once the frame came; 1 when the program ended without
# one; 2 when none came within 60 s, which only a hang takes (the frame
# typically comes within a second, two under the sanitizers). Qt's own
# render-loop log says when a frame was drawn, so the program needs no hook
# for this.
program=$1
log=$(mktemp)
QT_LOGGING_RULES="qt.scenegraph.time.renderloop.debug=true" "$program" >"$log" 2>&1 &
pid=$!
polls=0
until grep -q "Frame rendered" "$log"; do
    if ! kill -0 "$pid" 2>/dev/null; then
        cat "$log"
        echo "first-frame: the program ended without drawing a frame"
        exit 1
    fi
    polls=$((polls + 1))
    if [ "$polls" -gt 600 ]; then
        kill "$pid"
        cat "$log"
        echo "first-frame: no frame within 60 s"
        exit 2
    fi
    sleep 0.1
done
kill "$pid"
wait "$pid"
echo "first-frame: drawn"
