# Shared shell helpers of the build scripts: package installation and the throwaway Wine prefix.

# ensure_packages PKG...: installs the Debian packages that are not installed yet (idempotent).
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The packages every build of the project needs.
TVX_PACKAGES=(cmake ninja-build g++ doctest-dev mingw-w64 g++-mingw-w64-x86-64-posix
              g++-mingw-w64-i686-posix wine wine64 xvfb xauth python3)

# make_wine_prefix: creates a fresh Windows XP prefix in a temporary folder and exports WINEPREFIX.
make_wine_prefix() {
    WINEPREFIX="$(mktemp -d /tmp/tvx-wine.XXXXXX)"
    export WINEPREFIX
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
    wineserver -w
}

# drop_wine_prefix: ends the prefix's wineserver and removes the prefix.
drop_wine_prefix() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
}
