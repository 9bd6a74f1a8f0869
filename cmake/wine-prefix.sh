#!/bin/sh
# Make a Wine prefix for one build, once: initialised, then switched to
# the null graphics driver so dialogs run without a display.
#   wine-prefix.sh PREFIX
set -e
prefix=$1
[ -f "$prefix/.velmok-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$prefix"
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver64 -w
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
/usr/lib/wine/wineserver64 -w
touch "$prefix/.velmok-ready"
