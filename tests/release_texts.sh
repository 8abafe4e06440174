#!/bin/sh
# The texts of the release as users read them in Notepad: README.txt within
# 150 lines, both it and REFERENCE.txt of lines of at most 80 characters
# (Windows 10's Notepad does not wrap them), neither with markup left in it,
# both with CR LF; README.txt says whether the release is signed, as it is.
#   release_texts.sh SOURCE-DIR
set -u
cd "$1"
fail=0
for signed in "" 1; do
    readme=$(RUNVO_SIGNED=$signed sh scripts/plaintext.sh docs/users/README.md)
    case $signed in
    "") printf '%s\n' "$readme" | grep -q "This release is not signed" || { echo "FAIL: unsigned not said"; fail=1; } ;;
    *) printf '%s\n' "$readme" | grep -q "This release is signed" || { echo "FAIL: signed not said"; fail=1; } ;;
    esac
done
for text in README REFERENCE; do
    out=$(sh scripts/plaintext.sh docs/users/$text.md)
    lines=$(printf '%s\n' "$out" | wc -l)
    bare=$(printf '%s\n' "$out" | grep -vc "$(printf '\r')\$")
    [ "$bare" -eq 0 ] || { echo "FAIL: $text.txt: $bare lines without CR LF"; fail=1; }
    markup=$(printf '%s\n' "$out" | grep -nE '\*\*|`|\]\(|!\[|^\|' | head -n 3)
    [ -z "$markup" ] || { echo "FAIL: $text.txt keeps markup:"; echo "$markup"; fail=1; }
    if [ $text = README ]; then
        [ "$lines" -le 150 ] || { echo "FAIL: README.txt has $lines lines"; fail=1; }
    fi
    # Windows 10's Notepad does not wrap: at most 80 characters a line.
    wide=$(printf '%s\n' "$out" | tr -d '\r' | LC_ALL=C.UTF-8 grep -n -E '^.{81,}$' | cut -c1-40 | head -n 3)
    [ -z "$wide" ] || { echo "FAIL: $text.txt lines wider than 80: $wide"; fail=1; }
    widest=$(printf '%s\n' "$out" | tr -d '\r' | LC_ALL=C.UTF-8 wc -L)
    echo "$text.txt: $lines lines, the widest of $widest characters"
done
exit $fail
