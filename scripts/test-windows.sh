#!/usr/bin/env bash
# The Windows stage: the core libraries, irven-cli.exe and the core test suites cross-compiled with
# mingw-w64 and run under Wine in a private prefix shaped like a technician's PC (a Cyrillic user
# name, Windows' interface fonts), the Win32 driver on COM ports that Wine maps onto simulated
# panels, irven-cli.exe end to end from a Cyrillic folder, the installer, and with Qt for Windows
# the window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/wine-env.sh
source scripts/windows-package.sh
irven_install_missing windows
irven_generate_locale ru_RU.UTF-8
# The installer's Start-menu entry follows the interface language.
irven_generate_locale uk_UA.UTF-8

say() { printf -- '--- %s\n' "$*"; }
jobs=$(nproc)

say "Linux helpers: the simulated panel, the modem-line shim and the guide the installer carries (build/)"
[ -f build/build.ninja ] || cmake --preset normal >/dev/null
cmake --build build -j "$jobs" --target irven-panel-sim irven_pty_modem_lines guide >/dev/null

# The window is built and tested when Qt for Windows is in its cache or IRVEN_QT_WINDOWS_ARCHIVE
# names a prebuilt one to unpack there; without either this stage says so and tests the rest.
source scripts/qt-windows-path.sh
window=()
if [ -f "$IRVEN_QT_WINDOWS/.complete" ] || [ -n "${IRVEN_QT_WINDOWS_ARCHIVE:-}" ]; then
    scripts/build-qt-windows.sh >/dev/null
    window=(-DIRVEN_BUILD_UI=ON -DCMAKE_PREFIX_PATH="$IRVEN_QT_WINDOWS")
    say "Windows build with mingw-w64, POSIX threads, the window with Qt from $IRVEN_QT_WINDOWS"
else
    window=(-DIRVEN_BUILD_UI=OFF)
    say "Windows build with mingw-w64, POSIX threads (preset windows, build-windows/)"
    say "NOT TESTED: the Windows window: no Qt for Windows in $IRVEN_QT_WINDOWS;" \
        "build it once with scripts/build-qt-windows.sh (about 40 minutes), or name a prebuilt" \
        "archive of it in IRVEN_QT_WINDOWS_ARCHIVE"
fi
cmake --preset windows "${window[@]}" >/dev/null
cmake --build --preset windows -j "$jobs"

session=$(realpath build-windows)/wine-session
# A run stopped half-way may leave the window test's read-only folder.
[ "$(id -u)" -eq 0 ] && [ -d "$session" ] && chattr -R -i "$session" 2>/dev/null
rm -rf "$session"
mkdir -p "$session/denied"
irven_wine_env "$(realpath build-windows)/wine-prefix"
if [ ${#window[@]} -gt 1 ]; then
    irven_wine_qt "$IRVEN_QT_WINDOWS"
    irven_display_start "$session"
fi
say "Wine prefix $WINEPREFIX, user profile C:\\users\\$IRVEN_WINE_USER"
irven_wine_prefix
profile=$(irven_wine_profile)
# What earlier runs saved or installed for the user, a run stopped half-way its shortcuts and its
# installed-programs entry too.
rm -rf "$profile/AppData/Roaming/irven-configurator" "$profile/AppData/Local/Programs/irven-configurator"
rm -f "$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"*.lnk
"$IRVEN_WINE64" reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\irven-configurator' \
    /f >/dev/null 2>&1 || true

sims=()
stop_all() {
    local pid
    for pid in "${sims[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    irven_wine_stop
    irven_display_stop
}
trap stop_all EXIT

# start_panel NAME: a simulated panel logging to $session/NAME.jsonl; its device in panel_device.
start_panel() {
    build/tools/panel-sim/irven-panel-sim --log "$session/$1.jsonl" >"$session/$1.out" \
        2>"$session/$1.err" &
    sims+=($!)
    local tries
    for tries in $(seq 50); do
        [ -s "$session/$1.out" ] && break
        sleep 0.1
    done
    panel_device=$(head -n 1 "$session/$1.out")
    [ -n "$panel_device" ] || { echo "the simulated panel did not start" >&2; exit 1; }
}

# COM5 for the test suites, COM6 for the end-to-end run, COM28 a port Windows refuses to open.
start_panel com5
unit_device=$panel_device
start_panel com6
e2e_device=$panel_device
irven_wine_map_com COM5 "$unit_device"
irven_wine_map_com COM6 "$e2e_device"
if [ ${#window[@]} -gt 1 ]; then
    start_panel com7
    irven_wine_map_com COM7 "$panel_device"
fi
irven_wine_start
irven_wine_link_com COM28 "$session/denied"
say "COM5 -> $unit_device, COM6 -> $e2e_device, COM28 -> a folder (access denied)"

say "Test suites under Wine (ctest)"
LD_PRELOAD=$(realpath build/tests/wine/libirven_pty_modem_lines.so) \
    IRVEN_WINE_COM_PORT=COM5 IRVEN_WINE_DENIED_COM_PORT=COM28 \
    ctest --test-dir build-windows --output-on-failure

say "irven-cli.exe end to end against the simulated panel on COM6; its fault cases on COM9"
LD_PRELOAD=$(realpath build/tests/wine/libirven_pty_modem_lines.so) \
    python3 tests/wine/cli_end_to_end.py --wine "$IRVEN_WINE64" \
    --cli build-windows/tools/cli/irven-cli.exe --port COM6 --log "$session/com6.jsonl" \
    --work "$session/e2e" --sim build/tools/panel-sim/irven-panel-sim \
    --fault-link "$WINEPREFIX/dosdevices/com9" --fault-port COM9
# It ended by deleting the registry's list of serial ports; Wine's next start makes it again.
irven_wine_start

window_port=()
if [ ${#window[@]} -gt 1 ]; then
    say "The window end to end: real input on display $DISPLAY, the simulated panel on COM7"
    mkdir -p build-windows/screenshots
    LD_PRELOAD=$(realpath build/tests/wine/libirven_pty_modem_lines.so) \
        python3 tests/wine/window_smoke.py --wine "$IRVEN_WINE64" \
        --exe build-windows/ui/irven-configurator.exe --port COM7 --log "$session/com7.jsonl" \
        --work "$session/window" --screenshot build-windows/screenshots/window-wine.png \
        --settings "$profile/AppData/Roaming/irven-configurator"
    window_port=(--port COM7 --log "$session/com7.jsonl")
fi

# signed_and_summed STAGE INSTALLER: signs the programs of STAGE and INSTALLER as ./package does,
# with a throw-away certificate; osslsigncode checks each signature against it, and sha256sum the
# sums written beside the installer.
signed_and_summed() {
    local stage=$1 installer=$2 keys=$session/signing
    [ "$(IRVEN_SIGN_PKCS12='' irven_sign "$installer")" = "Not signed (no certificate in IRVEN_SIGN_PKCS12): $(basename "$installer")" ] ||
        { echo "irven_sign without a certificate does not say so" >&2; exit 1; }
    mkdir -p "$keys"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Irven test signing" \
        -addext extendedKeyUsage=codeSigning -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$keys/key.pem" -in "$keys/cert.pem" -passout pass:test-only \
        -out "$keys/test.p12"
    export IRVEN_SIGN_PKCS12=$keys/test.p12 IRVEN_SIGN_PASSWORD=test-only
    irven_sign "$stage"/*.exe
    irven_windows_installer build-windows "$stage" "$installer"
    irven_sign "$installer"
    unset IRVEN_SIGN_PKCS12 IRVEN_SIGN_PASSWORD
    local file
    for file in "$stage"/*.exe "$installer"; do
        osslsigncode verify -CAfile "$keys/cert.pem" -in "$file" >"$keys/verify.log" 2>&1 ||
            { cat "$keys/verify.log"; echo "the signature of $file does not verify" >&2; exit 1; }
    done
    irven_write_sums "$(dirname "$installer")" "$(basename "$installer")"
    (cd "$(dirname "$installer")" && sha256sum -c SHA256SUMS)
}

# The installer of this build (without Qt, of irven-cli alone), signed, and an older version's,
# one folder of a file of its own.
irven_windows_stage build-windows "$session/installer-stage" "$IRVEN_QT_WINDOWS"
say "Signing the programs and the installer with a throw-away certificate; SHA256SUMS"
signed_and_summed "$session/installer-stage" "$session/setup.exe"
mkdir -p "$session/old-stage"
echo "0.0.1" >"$session/old-stage/old-only.txt"
irven_windows_installer build-windows "$session/old-stage" "$session/setup-old.exe" 0.0.1
say "The installer: refused on Windows 7, an upgrade, the installed program, the uninstall"
LD_PRELOAD=$(realpath build/tests/wine/libirven_pty_modem_lines.so) \
    python3 tests/wine/installer_test.py --wine "$IRVEN_WINE64" --profile "$profile" \
    --names build-windows/packaging/windows/product-names.json \
    --installer "$session/setup.exe" --version "$(irven_project_version)" --stage "$session/installer-stage" \
    --old-installer "$session/setup-old.exe" --old-version 0.0.1 "${window_port[@]}"

say "Windows stage passed"
