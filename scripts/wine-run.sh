#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest: in $WINEPREFIX when set, else in a throwaway prefix.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
export WINEDEBUG=-all
if [ -z "${WINEPREFIX:-}" ]; then
    trap drop_wine_prefix EXIT
    make_wine_prefix
fi
status=0
timeout 900 wine "$@" || status=$?
wineserver -w
exit "$status"
