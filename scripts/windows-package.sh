# The Windows programs' folder and installer, from a Windows build. Sourced by ./package and by
# scripts/test-windows.sh.

# The project's version, from its CMakeLists.txt.
irven_project_version() {
    sed -n 's/^project(irven-configurator VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# irven_windows_stage BUILD STAGE QT: the programs of BUILD in the folder STAGE as they are shipped:
# both programs with the mingw runtime libraries, and with the window Qt's libraries from QT, its
# platform and style plugins and its Russian and Ukrainian texts for the stock dialogs. A build
# without the window stages the command-line program alone.
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
