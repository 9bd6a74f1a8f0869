#!/bin/sh
# A picture of the tag list editor in a real window, for the README:
# Xvfb, Wine's X11 driver in a prefix of its own (not the tests' one),
# the editor with a few tags listed, captured to docs/tag-list-editor.png;
# and the wizard's three bitmaps, enlarged, as docs/statwiz-*.png.
#   tools/screenshot.sh [BUILD]     (BUILD: an x86-64 build folder, build/win64 by default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
prefix=$root/build/screenshot-prefix
out=$root/docs/tag-list-editor.png
wine=/usr/lib/wine/wine64
[ -f "$build/show_editor.exe" ] || { echo "no $build/show_editor.exe: build the win64 build first" >&2; exit 1; }

work=$(mktemp -d)
xpid=""
cleanup() {
    WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    if [ -n "$xpid" ]; then kill "$xpid" 2>/dev/null || true; wait "$xpid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Our own X server on a display number it picks itself, free by definition.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xpid=$!
i=0
while [ ! -s "$work/display" ]; do
    i=$((i + 1)); [ $i -le 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
export DISPLAY=":$(cat "$work/display")"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/.velmok-ready" ]; then
    mkdir -p "$prefix"
    $wine wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
    # Wine's own fonts (Debian's fonts-wine), for the title bar's symbols.
    cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
    # No window manager runs here: Wine draws the title bar and frame.
    $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    /usr/lib/wine/wineserver64 -w
    touch "$prefix/.velmok-ready"
fi

# show_editor writes the dialog's rectangle once it is up, then waits
# for the .done file.
shot=$prefix/drive_c/velmok-screenshot
rm -rf "$shot"
mkdir -p "$shot"
(cd "$build" && $wine show_editor.exe 'C:\velmok-screenshot\tags' 'C:\velmok-screenshot\ready.txt' \
    >/dev/null 2>&1) &
show=$!
i=0
while [ ! -s "$shot/ready.txt" ]; do
    i=$((i + 1)); [ $i -le 600 ] || { echo "the editor did not open" >&2; exit 1; }
    sleep 0.1
done
sleep 2 # let it paint
read -r left top width height < "$shot/ready.txt"
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$out"
touch "$shot/ready.txt.done"
wait "$show" || true
echo "wrote $out (${width}x${height})"
/usr/bin/python3 "$root/wizard/bitmaps/draw_bitmaps.py" --png "$root/docs"
echo "wrote $root/docs/statwiz-m.png, statwiz-p.png, statwiz-t.png"
