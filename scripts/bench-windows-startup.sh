#!/usr/bin/env bash
# Start-up of the Windows window under Wine next to a bare Qt window built the same way: first
# painted frame and peak memory, on an X display of its own. Run by hand after ./test windows with
# Qt for Windows present:
#   scripts/bench-windows-startup.sh [runs, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
source scripts/qt-windows-path.sh
runs=${1:-15}

cmake --build build -j "$(nproc)" --target bench-startup >/dev/null
cmake --preset windows -DIRVEN_BUILD_UI=ON -DIRVEN_BUILD_BENCH=ON \
    -DCMAKE_PREFIX_PATH="$IRVEN_QT_WINDOWS" >/dev/null
cmake --build build-windows -j "$(nproc)" --target bench-startup-window bench-startup-bare >/dev/null

irven_wine_env "$(realpath build-windows)/wine-prefix"
irven_wine_qt "$IRVEN_QT_WINDOWS"
irven_wine_prefix
session=$(mktemp -d)
stop() {
    irven_wine_stop
    irven_display_stop
    rm -rf "$session"
}
trap stop EXIT
irven_display_start "$session"
irven_wine_start

QT_QPA_PLATFORM=windows build/bench/startup/bench-startup "$runs" --runner "$IRVEN_WINE64" \
    --window build-windows/bench/startup/bench-startup-window.exe \
    --bare build-windows/bench/startup/bench-startup-bare.exe
