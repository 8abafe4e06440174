#!/bin/bash
# Runs a Windows program in the Wine session of DIR (see session.sh) with
# the given Wine loader (wine64, or wine for 32-bit programs):
#   run.sh DIR LOADER program.exe [args...]
# Arguments naming existing Unix files are handed over as Windows paths.
set -eu
dir=$1 loader=$2
shift 2
. "$dir/session.env"
args=()
for a in "$@"; do
    if [ -e "$a" ] && [ "${a#/}" != "$a" ]; then
        a="Z:${a//\//\\}"
    fi
    args+=("$a")
done
# Wine's own helper processes (explorer, services) outlive the program and
# would hold our output open: they get a file, which is replayed afterwards.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
rc=0
"$loader" "${args[@]}" </dev/null >"$log" 2>&1 || rc=$?
cat "$log"
exit $rc
