#!/usr/bin/env bash
# Builds Qt 6 Widgets for Windows (mingw-w64, POSIX threads) from Debian's own qt6-base source into a
# cache outside the source tree. Idempotent: a finished cache is left alone. Takes about 40 minutes
# on two cores. Needs the packages of scripts/packages.sh (host Qt 6.4.2 supplies the build tools).
# The source comes from the Debian mirrors the machine's own apt sources name.
#
#   scripts/build-qt-windows.sh            # builds into $IRVEN_QT_WINDOWS
#   IRVEN_QT_WINDOWS_ARCHIVE=qt6-mingw-6.4.2.tar.xz scripts/build-qt-windows.sh
#                                          # unpacks a .tar.xz of this script's own finished cache
#                                          # folder instead (checked by a .sha256 beside it, if any)
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

# unpack_archive ARCHIVE: the cache folder from ARCHIVE, which must hold that folder alone with its
# .complete; unpacked beside the cache first, so that a broken archive leaves no half cache.
unpack_archive() {
    local archive=$1 name parent
    name=$(basename "$prefix")
    parent=$(dirname "$prefix")
    if [ -f "$archive.sha256" ]; then
        (cd "$(dirname "$archive")" && sha256sum --quiet -c "$(basename "$archive").sha256")
    fi
    mkdir -p "$parent"
    local unpacked
    unpacked=$(mktemp -d "$parent/.unpack.XXXXXX")
    tar -xJf "$archive" -C "$unpacked"
    if [ "$(ls -A "$unpacked")" != "$name" ] || [ ! -f "$unpacked/$name/.complete" ]; then
        rm -rf "$unpacked"
        echo "$archive does not hold the folder $name with its .complete alone" >&2
        exit 1
    fi
    rm -rf "$prefix"
    mv "$unpacked/$name" "$prefix"
    rmdir "$unpacked"
}

# The deb-src entries of the machine's deb entries, with the same mirrors, suites, components and
# keys: one-line entries from the .list files, deb822 stanzas from the .sources files.
machine_source_entries() {
    local lists=() stanzas=() file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && lists+=("$file")
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && stanzas+=("$file")
    done
    if [ ${#lists[@]} -gt 0 ]; then
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "${lists[@]}" >"$apt_dir/parts/src.list"
    fi
    if [ ${#stanzas[@]} -gt 0 ]; then
        awk -v RS= -v ORS='\n\n' '
            {
                n = split($0, lines, "\n"); debs = 0; off = 0; out = ""
                for (i = 1; i <= n; i++) {
                    if (lines[i] ~ /^#/) continue
                    if (lines[i] ~ /^Types:/) { debs = (" " lines[i] " ") ~ /[[:space:]]deb[[:space:]]/; continue }
                    if (lines[i] ~ /^Enabled:[[:space:]]*[Nn]o/) off = 1
                    out = out lines[i] "\n"
                }
                if (debs && !off) printf "Types: deb-src\n%s\n", out
            }' "${stanzas[@]}" >"$apt_dir/parts/src.sources"
    fi
}

if [ -f "$prefix/.complete" ]; then
    add_translations
    echo "Qt for Windows is ready in $prefix"
    exit 0
fi
if [ -n "${IRVEN_QT_WINDOWS_ARCHIVE:-}" ]; then
    echo "Unpacking Qt for Windows from $IRVEN_QT_WINDOWS_ARCHIVE into $prefix"
    unpack_archive "$IRVEN_QT_WINDOWS_ARCHIVE"
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
    rm -rf "$apt_dir/parts"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$work/src"
    machine_source_entries
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
