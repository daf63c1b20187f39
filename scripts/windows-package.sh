# The Windows programs' folder and installer, from a Windows build. Sourced by ./package and by
# scripts/test-windows.sh.

# The project's version, from its CMakeLists.txt.
irven_project_version() {
    sed -n 's/^project(irven-configurator VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# The guide in both languages, as the Linux build's target guide writes it; until the build has it,
# the folder and the installer go without.
IRVEN_GUIDE_FILES=(build/docs/guide/guide-ru.html build/docs/guide/guide-uk.html)

# irven_windows_stage BUILD STAGE QT: the programs of BUILD in the folder STAGE as they are shipped:
# both programs with the mingw runtime libraries, and with the window Qt's libraries from QT, its
# platform and style plugins and its Russian and Ukrainian texts for the stock dialogs; the note,
# and the guide when there is one. A build without the window stages the command-line program
# alone.
irven_windows_stage() {
    local build=$1 stage=$2 qt=$3
    rm -rf "$stage"
    mkdir -p "$stage"
    cp "$build/tools/cli/irven-cli.exe" "$stage/"
    if [ -f "$build/ui/irven-configurator.exe" ]; then
        mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations"
        cp "$build/ui/irven-configurator.exe" "$stage/"
        cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
        cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
        cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
        cp "$qt"/translations/qtbase_{ru,uk}.qm "$stage/translations/"
        printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' \
            >"$stage/qt.conf"
    fi
    x86_64-w64-mingw32-strip "$stage"/*.exe
    local runtime
    for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$runtime")" "$stage/"
    done
    # The runtime libraries come with their debugging symbols, most of libstdc++'s size.
    x86_64-w64-mingw32-strip --strip-unneeded "$stage"/lib*.dll
    cp "$build/packaging/windows/README.txt" "$stage/"
    if [ -f "${IRVEN_GUIDE_FILES[0]}" ] && [ -f "${IRVEN_GUIDE_FILES[1]}" ]; then
        cp "${IRVEN_GUIDE_FILES[@]}" "$stage/"
    fi
}

# irven_sign FILE...: signs the Windows programs and installers FILE with the certificate of the
# PKCS#12 file IRVEN_SIGN_PKCS12, whose password is IRVEN_SIGN_PASSWORD; without a certificate says
# that it did not sign.
irven_sign() {
    if [ -z "${IRVEN_SIGN_PKCS12:-}" ]; then
        echo "Not signed (no certificate in IRVEN_SIGN_PKCS12): $(basename -a "$@" | paste -sd ' ')"
        return 0
    fi
    local file
    for file in "$@"; do
        # The password goes through a pipe, not the command line that others may read.
        osslsigncode sign -pkcs12 "$IRVEN_SIGN_PKCS12" -readpass <(printf '%s' "${IRVEN_SIGN_PASSWORD:-}") \
            -h sha256 -n "$(basename "$file")" -in "$file" -out "$file.signed" >/dev/null
        mv "$file.signed" "$file"
    done
    echo "Signed with $IRVEN_SIGN_PKCS12: $(basename -a "$@" | paste -sd ' ')"
}

# irven_write_sums DIR FILE...: DIR/SHA256SUMS, the SHA-256 sums of the files FILE of DIR, for
# sha256sum -c and certutil -hashfile.
irven_write_sums() {
    local dir=$1
    shift
    (cd "$dir" && sha256sum -- "$@" >SHA256SUMS)
}

# irven_windows_installer BUILD STAGE OUTFILE [VERSION]: the installer of the folder STAGE, with
# the script that CMake configured in BUILD; its uninstaller removes exactly the files of STAGE.
# VERSION replaces the project's, for the tests' older version.
irven_windows_installer() {
    local build=$1 stage=$2 outfile=$3
    local version=()
    [ -n "${4:-}" ] && version=(-DVERSION="$4")
    local list=$build/packaging/windows/uninstall-list.nsh
    (
        cd "$stage"
        find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
        find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
    ) >"$list"
    makensis -V2 -INPUTCHARSET UTF8 "${version[@]}" -DSTAGE="$(realpath "$stage")" -DUNINSTALL_LIST="$(realpath "$list")" \
        -DOUTFILE="$(realpath -m "$outfile")" "$build/packaging/windows/installer.nsi" >/dev/null
}
