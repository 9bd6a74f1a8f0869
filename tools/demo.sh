#!/bin/sh
# The example plant: demo/plant.script run by the host stand-in under
# 64-bit Wine with the x86-64 build, then with the 32-bit build where a
# 32-bit Wine loader is installed. The plant's output goes to standard
# output; whether it matches demo/expected-output.txt goes to stderr.
#   tools/demo.sh                      the build in build/win64 (make demo)
#   BUILD=build/mine tools/demo.sh     another x86-64 build
#   BUILD32=build/win32 WINE32=/usr/lib/wine/wine   the 32-bit leg (defaults)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
abs() { case $1 in /*) echo "$1" ;; *) echo "$root/$1" ;; esac; }
build=$(abs "${BUILD:-build/win64}")
build32=$(abs "${BUILD32:-build/win32}")
wine32=${WINE32:-/usr/lib/wine/wine}
expected=$root/demo/expected-output.txt
# Wine reaches this machine's files through drive Z:.
plant="-C Z:$root/demo -t plant.tags run plant.script"

if [ ! -x "$build/wine-run.sh" ] || [ ! -f "$build/kelhost.exe" ]; then
    echo "demo: no x86-64 build with kelhost.exe in $build (make build-win64 makes one)" >&2
    exit 1
fi
"$root/cmake/wine-prefix.sh" "$build/wineprefix" || exit 1

tmp=$(mktemp -d) || exit 1
trap 'rm -rf "$tmp"' EXIT

# shellcheck disable=SC2086 # $plant is a list of words
"$build/wine-run.sh" "$build/kelhost.exe" $plant >"$tmp/out64"
rc=$?
cat "$tmp/out64"
if [ $rc != 0 ]; then
    echo "demo: kelhost failed (exit $rc)" >&2
    exit 1
fi
status=0
if cmp -s "$expected" "$tmp/out64"; then
    echo "demo: x86-64 build: the output matches demo/expected-output.txt" >&2
else
    echo "demo: x86-64 build: the output differs from demo/expected-output.txt:" >&2
    diff -u "$expected" "$tmp/out64" >&2
    status=1
fi

if [ ! -x "$wine32" ]; then
    echo "demo: no 32-bit Wine loader ($wine32): the 32-bit build was not run" >&2
elif [ ! -f "$build32/kelhost.exe" ]; then
    echo "demo: no 32-bit build with kelhost.exe in $build32 (make build-win32 makes one)" >&2
else
    # A prefix of the 32-bit build's own, in the same way as the tests'.
    "$root/cmake/wine-prefix.sh" "$build32/wineprefix" || exit 1
    # shellcheck disable=SC2086
    (cd "$build32" && WINEPREFIX="$build32/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        "$wine32" kelhost.exe $plant) >"$tmp/out32"
    if [ $? = 0 ] && cmp -s "$expected" "$tmp/out32"; then
        echo "demo: 32-bit build: the output matches demo/expected-output.txt" >&2
    else
        echo "demo: 32-bit build: the output differs from demo/expected-output.txt:" >&2
        diff -u "$expected" "$tmp/out32" >&2
        status=1
    fi
fi
exit $status
