#!/bin/sh
# The texts of the release as users read them in Notepad: README.txt within
# 150 lines of at most 80 characters, REFERENCE.txt beside it, neither with
# markup left in it, both with CR LF; README.txt says whether the release is
# signed, as it is.
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
        wide=$(printf '%s\n' "$out" | tr -d '\r' | awk 'length > 80 { print NR ": " length }' | head -n 3)
        [ -z "$wide" ] || { echo "FAIL: README.txt lines wider than 80: $wide"; fail=1; }
    fi
    echo "$text.txt: $lines lines"
done
exit $fail
