# Wine for the Windows tests: a private prefix, COM ports mapped onto pseudo-terminals and the
# modem-line shim. Sourced by scripts/test-windows.sh.

IRVEN_WINE64=/usr/lib/wine/wine64
IRVEN_WINESERVER=/usr/lib/wine/wineserver

# The Windows user of the stage's prefix. Wine names the profile folder (C:\users\NAME, under it
# %USERPROFILE%, %APPDATA% and %LOCALAPPDATA%) after the Unix user in USER: a Cyrillic name, as a
# technician's often is, so that every path in the user's folder is one.
IRVEN_WINE_USER=Іван

# irven_wine_env PREFIX: the environment every Wine program of the stage runs in. The Russian
# locale gives Wine the ANSI code page 1251 of a technician's Windows.
irven_wine_env() {
    export WINEPREFIX="$1"
    export USER=$IRVEN_WINE_USER LOGNAME=$IRVEN_WINE_USER
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEPATH='Z:\usr\lib\gcc\x86_64-w64-mingw32\12-posix;Z:\usr\x86_64-w64-mingw32\lib'
    export LC_ALL=ru_RU.UTF-8
}

# The user's profile folder in the prefix, as a Unix path.
irven_wine_profile() {
    echo "$WINEPREFIX/drive_c/users/$IRVEN_WINE_USER"
}

# Creates the prefix once; a prefix that finished its first start has system.reg, and one made
# for another user is made again. Qt's default face resolves under Wine to a font without Latin
# letters (line edits then show no text), as it does not on Windows: Windows' dialog and interface
# faces are replaced with DejaVu Sans, as a Windows has them.
irven_wine_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && [ -d "$(irven_wine_profile)" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$IRVEN_WINE64" wineboot --init >/dev/null 2>&1
    local face
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
        "$IRVEN_WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
            /d "DejaVu Sans" /f >/dev/null 2>&1
    done
    "$IRVEN_WINESERVER" -w
}

# irven_wine_map_com NAME DEVICE: Wine's device manager publishes NAME on DEVICE at its next start,
# in the registry list of serial ports as well.
irven_wine_map_com() {
    "$IRVEN_WINE64" reg add 'HKLM\Software\Wine\Ports' /v "$1" /d "$2" /f >/dev/null 2>&1
}

# irven_wine_link_com NAME PATH: a COM port that is only a device link, for paths that are no device.
irven_wine_link_com() {
    ln -sfn "$2" "$WINEPREFIX/dosdevices/${1,,}"
}

# A server that stays up between programs, started after the port mappings so they take effect.
# The first program starts the session's services, which inherit its descriptors: started here
# with none, they hold no pipe of a later program open (ctest would wait for it to close).
irven_wine_start() {
    "$IRVEN_WINESERVER" -k 2>/dev/null || true
    "$IRVEN_WINESERVER" -w
    "$IRVEN_WINESERVER" -p 2>>"$WINEPREFIX/wineserver.log"
    "$IRVEN_WINE64" reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' </dev/null >/dev/null 2>&1
}

irven_wine_stop() {
    "$IRVEN_WINESERVER" -k 2>>"$WINEPREFIX/wineserver.log" || true
    "$IRVEN_WINESERVER" -w 2>/dev/null || true
}

# irven_wine_qt QT_PREFIX: Windows programs find Qt's libraries in the Windows build of Qt.
irven_wine_qt() {
    export WINEPATH="$WINEPATH;Z:${1//\//\\}\\bin"
}

# irven_display_start DIR: an X display of its own for Windows windows, as DISPLAY; started before
# Wine's session so that its desktop is drawn there. irven_display_stop ends it.
irven_display_start() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" 2>/dev/null &
    irven_display_pid=$!
    local tries
    for tries in $(seq 50); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    export DISPLAY=:$(cat "$1/display")
}

irven_display_stop() {
    [ -n "${irven_display_pid:-}" ] || return 0
    kill "$irven_display_pid" 2>/dev/null || true
    wait "$irven_display_pid" 2>/dev/null || true
    irven_display_pid=""
}
