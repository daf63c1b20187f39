# Debian packages the project needs, and a function that installs whichever are missing.
# Sourced by ./run and ./test.

IRVEN_PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-translations-l10n qt6-l10n-tools
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
    wine wine64 fonts-wine locales xvfb xdotool
    clang libclang-rt-14-dev
    python3
    imagemagick  # import: the screenshot of the Windows window's smoke test
    desktop-file-utils appstream lintian dpkg-dev
)

irven_install_missing() {
    local missing=()
    local pkg
    for pkg in "${IRVEN_PACKAGES[@]}"; do
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
