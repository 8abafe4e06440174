#!/bin/sh
# The code's layout is .clang-format's: lists every C++ file that differs.
#   format.sh SOURCE-DIR
set -u
cd "$1"
files=$(find launch ui platform tests bench fuzz scripts -name '*.cpp' -o -name '*.h' | sort)
bad=0
for f in $files; do
    clang-format --dry-run -Werror "$f" 2>/dev/null || { echo "not formatted: $f"; bad=1; }
done
[ $bad -eq 0 ] && echo "$(echo "$files" | wc -l) files formatted as .clang-format says"
exit $bad
