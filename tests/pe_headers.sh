#!/bin/sh
# The program's headers, as objdump reads them: a GUI executable of the
# build's format, aware of Remote Desktop hosts (whose Windows folder it then
# sees as it is), that imports KERNEL32 and msvcrt.dll at start, loads USER32
# and GDI32 on first use and ADVAPI32, SHELL32, SHCORE, OLE32, OLEACC,
# OLEAUT32, VERSION and MSI by name on the routes that need them, and names no
# other DLL (the rest is linked in statically); and
# whose import slots, as the code reads them, are filled; and, on x86_64,
# whose every function that calls another or moves the stack pointer has an
# entry in the exception directory, as Windows needs to unwind it.
#   pe_headers.sh OBJDUMP runvo.exe
set -u
objdump=$1 exe=$2
headers=$($objdump -p "$exe") || { echo "objdump failed on $exe"; exit 1; }
fail=0
check() { # what, pattern
    printf '%s\n' "$headers" | grep -Eq "$2" || { echo "FAIL: $1"; fail=1; }
}
case $objdump in
i686-*) check "PE32, i386" 'file format pei-i386'; check "magic PE32" 'Magic[[:space:]]+010b' ;;
*) check "PE32+, x86-64" 'file format pei-x86-64'; check "magic PE32+" 'Magic[[:space:]]+020b' ;;
esac
check "GUI subsystem" 'Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)'
check "terminal-server aware" 'TERMINAL_SERVICE_AWARE'
lower() { tr 'A-Z' 'a-z' | sort -u | tr '\n' ' '; }
imports=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | lower)
[ "$imports" = "kernel32.dll msvcrt.dll " ] || { echo "FAIL: imported at start: $imports"; fail=1; }
# The DLLs loaded later are named only in the program's data.
named=$(LC_ALL=C grep -aoiE '[a-z0-9_]+\.dll' "$exe" | lower)
[ "$named" = "advapi32.dll comdlg32.dll dwmapi.dll gdi32.dll kernel32.dll msi.dll msvcrt.dll ole32.dll oleacc.dll oleaut32.dll shcore.dll shell32.dll user32.dll uxtheme.dll version.dll " ] ||
    { echo "FAIL: DLLs named: $named"; fail=1; }

# Every import slot that the code reads holds something in the file: a name
# for the loader to bind, or the address of a delay-load stub. A 0 there is a
# call to address 0 (i686 ld drops the stubs of delay-loaded functions that
# the code calls through their slots directly).
base=$(printf '%s\n' "$headers" | awk '$1 == "ImageBase" { print $2 }')
set -- $(printf '%s\n' "$headers" | awk '/Import Address Table Directory/ { print $3, $4 }')
iat=$((0x$base + 0x$1)) end=$((0x$base + 0x$1 + 0x$2))
to_file=$($objdump -h "$exe" | while read -r idx name size vma lma off rest; do
    case $idx in '' | *[!0-9]*) continue ;; esac
    [ $((0x$vma)) -le $iat ] && [ $iat -lt $((0x$vma + 0x$size)) ] && echo $((0x$off - 0x$vma))
done)
case $objdump in i686-*) slot=4 ;; *) slot=8 ;; esac
slots=0
for a in $($objdump -d "$exe" | sed 's/\$0x[0-9a-f]*//g' | grep -oE '0x[0-9a-f]+' | sort -u); do
    a=$((a))
    [ $a -ge $iat ] && [ $a -lt $end ] || continue
    slots=$((slots + 1))
    case $(od -An -tx1 -j $((a + to_file)) -N $slot "$exe" | tr -d ' \n') in
    *[!0]*) ;;
    *) printf 'FAIL: the import slot at 0x%x holds 0\n' $a; fail=1 ;;
    esac
done
[ $slots -gt 0 ] || { echo "FAIL: the code reads no import slot"; fail=1; }
# x86_64: each call, push and stack allocation lies in a function that the
# function table (.pdata) covers.
case $objdump in
x86_64-*)
    uncovered=$({
        printf '%s\n' "$headers" |
            awk '/Function Table/ { t = 1; next } t && /^ [0-9a-f]+:/ { print "R", $2, $3 } t && /^$/ { t = 0 }'
        $objdump -d "$exe" |
            awk '/^ *[0-9a-f]+:\t/ && /\t(call|push|sub +\$0x[0-9a-f]+,%rsp) / { sub(":", "", $1); print "I", $1 }'
    } | awk 'BEGIN { n = 0 }
        function pad(x) { x = sprintf("%16s", x); gsub(/ /, "0", x); return x }
        $1 == "R" { b[n] = pad($2); e[n] = pad($3); n++; next }
        { a = pad($2); for (i = 0; i < n; i++) if (a >= b[i] && a < e[i]) next; print $2 }')
    [ -z "$uncovered" ] ||
        { echo "FAIL: no unwind entry covers $(echo $uncovered | wc -w) instructions, the first at 0x$(echo $uncovered | cut -d' ' -f1)"; fail=1; }
    ;;
esac

# The size guards, said rather than checked: the program without its
# resources (icon, texts, dialog, version) and the whole file.
bytes=$(wc -c <"$exe")
rsrc=$($objdump -h "$exe" | awk '$2 == ".rsrc" { print $3 }')
rsrc=$(( (0x${rsrc:-0} + 511) / 512 * 512 ))
case $objdump in i686-*) guard=44 ;; *) guard=56 ;; esac
echo "$exe: $(printf '%s\n' "$headers" | sed -n 's/.*file format //p'), $bytes bytes" \
     "($((bytes - rsrc)) without its resources, guard $guard KiB; whole file guard 96 KiB);" \
     "imported at start: $imports; named: $named; import slots read by the code: $slots"
exit $fail
