#!/bin/sh
# The release is reproducible: two copies of these sources at different
# paths, built one after the other, package to the same bytes; and the
# executables in it are the ones the tests ran (build/win32, build/win64).
# Works from a clone and from sources without git alike.
#   reproducible.sh
set -eu
cd "$(dirname "$0")/.."
# Without a commit, any fixed time will do for the comparison: the newest
# source file's.
SOURCE_DATE_EPOCH=$(sh scripts/sources.sh date)
[ -n "$SOURCE_DATE_EPOCH" ] ||
    SOURCE_DATE_EPOCH=$(sh scripts/sources.sh files | xargs -0 stat -c %Y | sort -n | tail -n 1)
export SOURCE_DATE_EPOCH
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
for copy in one two/at/another/depth; do
    mkdir -p "$tmp/$copy"
    sh scripts/sources.sh files | tar --null -T - -cf - | tar xf - -C "$tmp/$copy"
    sh "$tmp/$copy/scripts/package.sh" >/dev/null
done
for f in $(cd "$tmp/one/dist" && ls); do
    cmp "$tmp/one/dist/$f" "$tmp/two/at/another/depth/dist/$f" || fail=1
done
for arch in win32 win64; do
    tested=$(sha256sum <build/$arch/runvo.exe | cut -d' ' -f1)
    grep -q "^$tested  runvo-.*-$arch/runvo.exe\$" "$tmp/one/dist/SHA256SUMS" ||
        { echo "FAIL: the $arch executable in the release is not the one tested"; fail=1; }
done
[ $fail -eq 0 ] && echo "reproducible:" && sed 's/^/  /' "$tmp/one/dist/SHA256SUMS"
exit $fail
