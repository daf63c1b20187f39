# Debian packages the project needs, one list for each stage of ./test, for ./run and for each
# kind of ./package, and a function that installs whichever of them are missing. Sourced by ./run,
# ./test, ./package and the stages' scripts.

# The groups the lists are made of; each package is in one group.
irven_group() {
    case "$1" in
        build) echo cmake ninja-build g++ pkg-config ;;
        # The window, its Ukrainian (lrelease) and Qt's texts of the stock dialogs, its icon, and
        # pandoc, which builds the technician's guide that F1 opens.
        window) echo qt6-base-dev qt6-l10n-tools qt6-translations-l10n librsvg2-bin pandoc ;;
        # The normal build configures the tests with the rest, so building only the window asks
        # for GoogleTest too.
        unit-tests) echo libgtest-dev libgmock-dev ;;
        # The face the window's tests measure texts in, and Wine's stand-in for Windows' own.
        fonts) echo fonts-dejavu-core ;;
        # Checks the software-centre description.
        appstream) echo appstream ;;
        mingw) echo gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix ;;
        # The Windows folder, archive and installer, their icon and their signature.
        windows-package) echo icoutils nsis zip osslsigncode ;;
        # Wine in a Russian and Ukrainian locale with Windows' fonts; the window on an X display
        # of its own driven by real input and read off a screenshot (ImageMagick's import and
        # convert, tesseract); the drivers are Python; openssl makes the signing test's key.
        wine) echo wine wine64 fonts-wine locales xvfb xdotool tesseract-ocr imagemagick python3 \
            openssl ;;
        fuzz) echo clang libclang-rt-14-dev ;;
        # The .deb's build flags, dependencies and contents; Debian's source of Qt for Windows
        # (apt-get source) or its prebuilt archive.
        dpkg) echo dpkg-dev xz-utils ;;
        deb-checks) echo desktop-file-utils lintian man-db ;;
        *) return 1 ;;
    esac
}

# The groups of each list: ./run, the stages of ./test and the kinds of ./package.
irven_list_groups() {
    case "$1" in
        run) echo build window unit-tests ;;
        normal | asan) echo build window unit-tests fonts appstream ;;
        tsan) echo build unit-tests ;;
        windows) echo build window unit-tests fonts mingw windows-package wine dpkg ;;
        fuzz) echo build fuzz ;;
        packaging) echo build window dpkg appstream deb-checks ;;
        package-deb) echo build window dpkg ;;
        package-windows) echo build window unit-tests mingw windows-package dpkg ;;
        *) return 1 ;;
    esac
}

# irven_packages LIST...: the packages of the lists, each once.
irven_packages() {
    local list groups=()
    for list in "$@"; do
        irven_list_groups "$list" >/dev/null || { echo "no package list \"$list\"" >&2; return 1; }
        groups+=($(irven_list_groups "$list"))
    done
    local group
    for group in "${groups[@]}"; do
        irven_group "$group" | tr ' ' '\n'
    done | awk '!seen[$0]++'
}

# irven_install_missing LIST...: installs the packages of the lists that are not installed.
irven_install_missing() {
    local wanted missing=()
    wanted=$(irven_packages "$@") || return 1
    local pkg
    for pkg in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# irven_generate_locale NAME: makes the locale (e.g. ru_RU.UTF-8) available if it is not yet.
irven_generate_locale() {
    local name=$1
    local normalized="${name%%.*}.$(echo "${name#*.}" | tr -d '-' | tr '[:upper:]' '[:lower:]')"
    locale -a 2>/dev/null | grep -qx "$normalized" && return 0
    echo "Generating the locale $name"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" localedef -i "${name%%.*}" -f "${name#*.}" "$name"
}
