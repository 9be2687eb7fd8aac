#!/usr/bin/env bash
# GUI check: builds the Windows tree, runs the Win32 renderer tests and opens every window of
# Tarvex under Xvfb, saving a PNG of each into build/screenshots/.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
. "$ROOT/scripts/lib.sh"

# Every window of Tarvex is pictured; the list comes from the program itself (tvxshow --list).
# Windows pictured again with a menu open (window:menu number).
MENUS=(frmMain:1 frmMain:2 frmMain:4)
# Windows pictured after use (in the throwaway prefix): a clean run with a configuration, and the
# cab cleaner after cleaning the driver cabinet planted below.
USED=(frmMain@cboConfigs=NVIDIA@cmdClean frmCC@cboConfig=driver.cab@cmdClean)

ensure_packages "${TVX_PACKAGES[@]}" "${TVX_GUI_PACKAGES[@]}"
# TVX_BUILD picks another build folder (the default is the one scripts/run.sh uses).
BUILD="${TVX_BUILD:-$ROOT/build/win64}"
SHOTS="$ROOT/build/screenshots"

echo "== Windows build (x86_64)"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"

trap 'stop_xvfb; drop_wine_prefix; rm -f "${log:-}"' EXIT
# The prefix is made without X; the runs below are a separate wineserver session under Xvfb.
unset DISPLAY
make_wine_prefix
add_wine_fonts
PROGRAM="$WINEPREFIX/drive_c/Program Files/Tarvex"
mkdir -p "$PROGRAM"
cp -r "$BUILD/image/." "$PROGRAM/"
cp "$BUILD/bin/tvxshow.exe" "$PROGRAM/"
start_xvfb
mapfile -t WINDOWS < <(wine "$BUILD/bin/tvxshow.exe" --list | tr -d '\r')

status=0
echo "== Win32 renderer tests under Xvfb"
log="$(mktemp)"
timeout 300 wine "$BUILD/bin/tvx_tests.exe" --source-file='*win32*' >"$log" 2>&1 || status=1
grep -E '^\[doctest\] (test cases|Status)|ERROR|FAILED' "$log" || true
grep -q 'Status: SUCCESS!' "$log" || status=1
wineserver -w

echo "== Windows of Tarvex"
# Something real for the pictured clean run to find: an NVIDIA installation's leftovers.
wine "$BUILD/bin/tvxplant.exe" "Z:${ROOT//\//\\}\\data\\footprints\\NVIDIA.txt" || true
wineserver -w
# And a driver cabinet for the cab cleaner: a few stock files beside ATI's and NVIDIA's, stored.
mkdir -p "$WINEPREFIX/drive_c/windows/Driver Cache/i386"
python3 - "$WINEPREFIX/drive_c/windows/Driver Cache/i386/driver.cab" <<'PYTHON'
import struct, sys
files = [(n, (n * 40).encode()) for n in
         ("acpi.sys", "ati2dvag.dll", "atapi.sys", "nv4_disp.dll", "nv4_mini.sys", "usbhub.sys")]
records, data = b"", b""
for name, body in files:
    records += struct.pack("<IIHHHH", len(body), len(data), 0, 0x3104, 0x6000, 0x20)
    records += name.encode() + b"\0"
    data += body
start = 36 + 8 + len(records)
block = struct.pack("<IHH", 0, len(data), len(data)) + data
header = b"MSCF" + struct.pack("<IIIIIBBHHHHH", 0, start + len(block), 0, 44, 0, 3, 1, 1,
                               len(files), 0, 0, 0)
open(sys.argv[1], "wb").write(header + struct.pack("<IHH", start, 1, 0) + records + block)
PYTHON
rm -rf "$SHOTS" "$WINEPREFIX/drive_c/shots"
mkdir -p "$SHOTS"
# The desktop's exit code is not the program's: its summary line tells.
timeout 300 wine explorer /desktop=tvxshow,1024x768 \
    'C:\Program Files\Tarvex\tvxshow.exe' 'C:\shots' "${WINDOWS[@]}" "${MENUS[@]}" \
    "${USED[@]}" 2>&1 | tee "$log" || true
wineserver -w
grep -q '^tvxshow: .* 0 failure(s)' "$log" || status=1
rm -f "$log"
for bmp in "$WINEPREFIX/drive_c/shots/"*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$SHOTS/$(basename "${bmp%.bmp}").png"
done
count="$(find "$SHOTS" -name '*.png' | wc -l)"
expected=$((${#WINDOWS[@]} + ${#MENUS[@]} + ${#USED[@]}))
echo "$count of $expected pictures saved in $SHOTS"
[ "$count" -eq "$expected" ] || status=1
if [ "$status" -eq 0 ]; then
    echo "GUI CHECK PASSED"
else
    echo "GUI CHECK FAILED"
fi
exit "$status"
