#!/usr/bin/env bash
# Start-up of the Windows window under Wine next to a bare Qt window built the same way: first
# painted frame and peak memory, on an X display of its own. Run by hand after ./test mingw with
# Qt for Windows present:
#   scripts/bench-windows-startup.sh [runs, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/qt-windows-path.sh
runs=${1:-15}

cmake --build build -j "$(nproc)" --target bench-startup >/dev/null
cmake --preset mingw -DIRVEN_BUILD_UI=ON -DIRVEN_BUILD_BENCH=ON \
    -DCMAKE_PREFIX_PATH="$IRVEN_QT_WINDOWS" >/dev/null
cmake --build build-mingw -j "$(nproc)" --target bench-startup-window bench-startup-bare >/dev/null

irven_wine_env "$(realpath build-mingw)/wine-prefix"
export WINEPATH="$WINEPATH;Z:${IRVEN_QT_WINDOWS//\//\\}\\bin"
irven_wine_prefix
session=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display" 2>/dev/null &
xvfb_pid=$!
stop() {
    irven_wine_stop
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$session"
}
trap stop EXIT
for _ in $(seq 50); do
    [ -s "$session/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$session/display")
irven_wine_start

QT_QPA_PLATFORM=windows build/bench/startup/bench-startup "$runs" --runner "$IRVEN_WINE64" \
    --window build-mingw/bench/startup/bench-startup-window.exe \
    --bare build-mingw/bench/startup/bench-startup-bare.exe
