#!/bin/sh
# A Wine session for the end-to-end tests: a virtual X display with a window
# manager (without one, keyboard input reaches dialogs unreliably), a private
# Wine prefix, and a wineserver that stays up between programs (otherwise
# every start costs a second).
#   session.sh start DIR   start it; DIR/session.env says how to reach it
#                          (RUNVO_LOCALE: the Unix locale, and so the code page)
#   session.sh stop DIR    end it
set -eu
cmd=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
env_file=$dir/session.env

stop() {
    [ -f "$env_file" ] || return 0
    . "$env_file"
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    for pid in $RUNVO_WM_PID $RUNVO_XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    rm -f "$env_file"
}

case $cmd in
stop) stop; exit 0 ;;
start) stop ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac

# The display's number is chosen by Xvfb itself (-displayfd), which writes it
# once it listens: a number free by this machine's lock files may be taken in
# another mount namespace that shares the abstract socket names. The display
# and its window manager go before other work (as far as we may say so): a
# window that the manager maps after its program has painted it stays black
# until the program next reads its events, and the launcher does not in the
# second it shows what it starts.
: >"$dir/display" # Xvfb writes its number here
nice -n -10 Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
i=0
until [ "$(wc -l <"$dir/display")" -ge 1 ]; do
    i=$((i + 1))
    if [ $i -ge 100 ] || ! kill -0 $xvfb_pid 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$dir/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
n=$(cat "$dir/display")
DISPLAY=:$n nice -n -10 openbox >"$dir/openbox.log" 2>&1 &
wm_pid=$!

# One locale whatever the machine's: Wine takes its code page from it (1252
# for C.UTF-8; RUNVO_LOCALE names another, ja_JP.UTF-8 for 932, built into
# the session's folder) and writes file names in it (UTF-8, so that any
# name can be made).
locale=${RUNVO_LOCALE:-C.UTF-8}
locpath=
if [ "$locale" != C.UTF-8 ]; then
    locpath=$dir/locale
    mkdir -p "$locpath"
    [ -f "$locpath/$locale/LC_CTYPE" ] ||
        localedef -i "${locale%%.*}" -f UTF-8 "$locpath/$locale" >"$dir/localedef.log" 2>&1 ||
        [ -f "$locpath/$locale/LC_CTYPE" ] || { echo "cannot build $locale" >&2; exit 1; }
    export LOCPATH=$locpath
fi
export LC_ALL=$locale
export DISPLAY=:$n WINEPREFIX="$dir/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix made before 32-bit Wine could run has no 32-bit half: make it anew.
win32=$(dirname "$0")/../../scripts/can-run-win32.sh
if [ ! -f "$WINEPREFIX/system.reg" ] ||
   { [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/user32.dll" ] && sh "$win32"; }; then
    rm -rf "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >"$dir/wineboot.log" 2>&1 || true
    /usr/lib/wine/wineserver -w # the registry is on disk once it has ended
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot failed" >&2; exit 1; }
fi
# Drives of the tests' own: T:, a folder whose root a copy of the launcher
# can lie in; N:, one that Wine says is on the network; S:, the C: drive
# under a second letter, a second spelling of each of its files that Wine
# does not undo.
for drive in t n; do
    mkdir -p "$dir/drive-$drive"
    ln -sfn "$dir/drive-$drive" "$WINEPREFIX/dosdevices/$drive:"
done
ln -sfn ../drive_c "$WINEPREFIX/dosdevices/s:"
# Detached from our output, or whoever reads it would wait for the server.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
# A crash ends the program instead of waiting in a dialog. The display's
# DPI: RUNVO_LOGPIXELS, 96 (100 %) unless set.
dpi=$(printf '%08x' "${RUNVO_LOGPIXELS:-96}")
cat >"$dir/settings.reg" <<EOT
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:$dpi

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"n:"="network"
EOT
/usr/lib/wine/wine64 regedit /S "$dir/settings.reg" </dev/null >/dev/null 2>&1
# Wine's services read the drives' kinds when they start: anew.
/usr/lib/wine/wineserver -k
/usr/lib/wine/wineserver -w
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
cat >"$env_file" <<EOT
export LC_ALL=$locale${locpath:+ LOCPATH='$locpath'} DISPLAY=:$n WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
RUNVO_XVFB_PID=$xvfb_pid
RUNVO_WM_PID=$wm_pid
EOT
echo "Wine session on display :$n, prefix $WINEPREFIX"
