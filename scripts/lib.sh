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
TVX_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev doctest-dev mingw-w64
              g++-mingw-w64-x86-64-posix
              g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 wine wine64 xvfb xauth python3
              libmspack-dev zlib1g-dev)

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

# Packages for the windowed runs: the fonts Wine draws windows with, and screenshots.
TVX_GUI_PACKAGES=(imagemagick fonts-wine)

# start_xvfb: starts Xvfb (1024x768, 24-bit) on a free display and exports DISPLAY.
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    TVX_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

# stop_xvfb: ends the Wine session on the Xvfb display, then Xvfb itself.
stop_xvfb() {
    if [ -n "${TVX_XVFB_PID:-}" ]; then
        if [ -n "${WINEPREFIX:-}" ]; then
            wineserver -k >/dev/null 2>&1 || true
        fi
        kill "$TVX_XVFB_PID" 2>/dev/null || true
        wait "$TVX_XVFB_PID" 2>/dev/null || true
        TVX_XVFB_PID=""
    fi
}

# add_wine_fonts: copies Wine's own fonts (MS Sans Serif, Tahoma, Marlett for the title bar
# buttons...) into the prefix's Fonts folder, the only place this Wine looks for them.
add_wine_fonts() {
    if [ -d /usr/share/wine/fonts ] && [ -n "${WINEPREFIX:-}" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
}
