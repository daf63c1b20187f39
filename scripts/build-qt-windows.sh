#!/usr/bin/env bash
# Builds Qt 6 Widgets for Windows (mingw-w64, POSIX threads) from Debian's own qt6-base source into a
# cache outside the source tree. Idempotent: a finished cache is left alone. Takes about 40 minutes
# on two cores. Needs the packages of scripts/packages.sh (host Qt 6.4.2 supplies the build tools).
#
#   scripts/build-qt-windows.sh            # builds into $IRVEN_QT_WINDOWS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/qt-windows-path.sh"
prefix=$IRVEN_QT_WINDOWS

# Qt's own Russian and Ukrainian texts for the stock dialogs: the translation files are the same for
# every platform, so the host's (qt6-translations-l10n) serve the Windows build too.
add_translations() {
    mkdir -p "$prefix/translations"
    cp /usr/share/qt6/translations/qtbase_{ru,uk}.qm "$prefix/translations/"
}

if [ -f "$prefix/.complete" ]; then
    add_translations
    echo "Qt for Windows is ready in $prefix"
    exit 0
fi
work=${IRVEN_QT_WINDOWS_WORK:-$HOME/.cache/irven/qt6-mingw-work}
mkdir -p "$work"

step() { printf '\n--- %s\n' "$*"; }

step "Fetching Debian's qt6-base source into $work"
apt_dir=$work/apt
src=$(ls -d "$work"/src/qt6-base-6.4.2* 2>/dev/null | head -n 1 || true)
if [ -z "$src" ]; then
    # A private apt configuration: the system's own sources stay as they are.
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$work/src"
    cat >"$apt_dir/parts/src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/parts"
        -o "Dir::State::Lists=$apt_dir/lists")
    apt-get "${apt_options[@]}" update -qq
    (cd "$work/src" && apt-get "${apt_options[@]}" source qt6-base=6.4.2+dfsg-10)
    src=$(ls -d "$work"/src/qt6-base-6.4.2* | head -n 1)
fi

step "Configuring (progress below is Ninja's [done/total])"
build=$work/build
rm -rf "$build"
mkdir -p "$build"
(cd "$build" && "$src/configure" -prefix "$prefix" -release -xplatform win32-g++ -qt-host-path /usr \
    -nomake examples -nomake tests -no-pch \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-freetype -qt-harfbuzz -no-icu \
    -no-opengl -no-dbus -no-feature-sql -no-feature-network -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml -no-feature-tabletevent -no-feature-androiddeployqt \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/../cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log"; exit 1; }

step "Building"
cmake --build "$build" -j "$(nproc)"

step "Installing into $prefix"
cmake --install "$build" --strip >/dev/null
add_translations
touch "$prefix/.complete"
echo "Qt for Windows is ready in $prefix"
