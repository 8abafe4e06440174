#!/bin/sh
# The launcher's main job, here under Wine: installs what is missing, builds
# runvo.exe and runs it with the sample list file beside it and the sample
# document as its tail, quoted as Send To passes a path.
#  - With a display ($DISPLAY), the chooser opens there and you choose.
#  - Without one, it runs in a virtual display, accepts the preselected
#    entry, saves pictures of the chooser, its menus, the Open dialog of Add
#    a program and the status window under build/run/, and says what was
#    started.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
for preset in win32 win64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset >/dev/null
done

# The 32-bit program where this machine runs it, else the same for x86_64.
if sh scripts/can-run-win32.sh; then
    build=win32 loader=/usr/lib/wine/wine
    echo "Running the 32-bit runvo.exe (build/win32), as users get it."
else
    build=win64 loader=/usr/lib/wine/wine64
    echo "This machine cannot run 32-bit programs: running the x86_64 build of the same sources."
fi
run=$(pwd)/build/run
mkdir -p "$run"
cp build/$build/runvo.exe samples/runvo.DAT "$run/"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
doc=$(winpath "$(pwd)/samples/welcome.txt")
echo "runvo.DAT:"
sed 's/\r$//; s/^/    /' samples/runvo.DAT

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX="$run/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [ -f "$WINEPREFIX/system.reg" ] || "$loader" wineboot -i >/dev/null 2>&1 || true
    echo "Starting runvo.exe \"$doc\" on display $DISPLAY: choose a program."
    rc=0
    "$loader" "$run/runvo.exe" "\"$doc\"" || rc=$?
    echo "runvo.exe ended with exit code $rc"
    exit $rc
fi

echo "No display: running in a virtual one."
sh tests/wine/session.sh start "$run/wine" >/dev/null
trap 'sh tests/wine/session.sh stop "$run/wine"' EXIT
rm -f "$run"/*.bmp "$run"/*.png
rc=0
tests/wine/run.sh "$run/wine" /usr/lib/wine/wine64 build/win64/scripts/demo/demo.exe \
    "$run/runvo.exe" "$doc" "$run" | sed 's/\r$//' | grep -v '^picture:' || rc=$?
for pic in chooser chooser-menu row-menu add-program chooser-dark row-menu-dark status; do
    if [ -f "$run/$pic.bmp" ]; then
        convert "$run/$pic.bmp" "$run/$pic.png" && rm "$run/$pic.bmp"
        echo "picture: $run/$pic.png"
    fi
done
exit $rc
