#!/usr/bin/env bash
# Runs the Windows program under Wine with the arguments given, so that the command-line cases
# and the comparisons can run it as they run the Linux program:
#   tests/cli/run_cases.sh tests/windows/wine_silkora.sh tests/cli
# SILKORA_EXE names the program (default: build-windows/silkora.exe of this checkout).
here=$(cd "$(dirname "$0")/../.." && pwd)
exe=${SILKORA_EXE:-$here/build-windows/silkora.exe}
wine=${WINE:-/usr/lib/wine/wine64}
# Unix names are UTF-8 to Wine whatever the caller's locale.
LC_ALL=C.UTF-8 WINEDEBUG=-all exec "$wine" "$exe" "$@"
