#!/bin/sh
# A text of docs/users/ as plain text that reads well in Notepad, with CR LF:
# headings underlined, code indented, tables as aligned columns, links as
# their words, no pictures and no markup. With RUNVO_SIGNED set, the text says
# that the release is signed.
#   plaintext.sh FILE.md > FILE.txt
set -eu
signed="This release is not signed."
[ -z "${RUNVO_SIGNED:-}" ] || signed="This release is signed (Properties, Digital Signatures, shows by whom)."
awk -v signed="$signed" '
    function flush(   i, w, c1) {
        w = 0
        for (i = 1; i <= rows; i++) if (length(first[i]) > w) w = length(first[i])
        for (i = 1; i <= rows; i++) printf "  %-" w "s   %s\n", first[i], rest[i]
        rows = 0
    }
    function plain(s) {
        gsub(/\*\*/, "", s); gsub(/`/, "", s)
        while (match(s, /\[[^]]*\]\([^)]*\)/)) {
            link = substr(s, RSTART, RLENGTH)
            sub(/\]\(.*/, "", link)
            s = substr(s, 1, RSTART - 1) substr(link, 2) substr(s, RSTART + RLENGTH)
        }
        return s
    }
    /^```/ { code = !code; next }
    code { print "    " $0; next }
    /^\|/ {
        if ($0 ~ /^\|[- |]+\|$/) next
        n = split($0, cell, "|")
        rows++
        first[rows] = plain(cell[2]); gsub(/^ +| +$/, "", first[rows])
        rest[rows] = ""
        for (i = 3; i < n; i++) { c = plain(cell[i]); gsub(/^ +| +$/, "", c); rest[rows] = rest[rows] (i > 3 ? " / " : "") c }
        next
    }
    rows { flush() }
    /^!\[/ { next }
    /^This release is not signed\.$/ || /^  This release is not signed\.$/ { sub(/This release is not signed\./, signed) }
    /^#+ / { rule = /^# / ? "=" : "-"; sub(/^#+ /, ""); t = plain($0); print t; gsub(/./, rule, t); print t; next }
    { print plain($0) }
    END { if (rows) flush() }' "$1" | sed 's/$/\r/'
