#!/bin/sh
# No file of the portable core sees the Win32 headers, not even through
# another header: each is read by the Windows compiler, whose headers are
# there to be found, and every header it reaches is listed.
#   core_headers.sh COMPILER SOURCE-DIR FILE...
set -u
cxx=$1
src=$2
shift 2
bad=0
for f in "$@"; do
    if ! deps=$("$cxx" -std=c++17 -I"$src" -M "$src/$f"); then
        echo "cannot read: $f"
        bad=1
    elif echo "$deps" | grep -qi 'windows\.h'; then
        echo "reaches <windows.h>: $f"
        bad=1
    fi
done
[ $bad -eq 0 ] && echo "$# core files, none reaches <windows.h>"
exit $bad
