#!/bin/sh
# The program's headers, as objdump reads them: a GUI executable of the
# build's format that imports KERNEL32 and msvcrt.dll at start and loads
# USER32 and GDI32 on first use, and names no other DLL (the rest is linked
# in statically).
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
lower() { tr 'A-Z' 'a-z' | sort -u | tr '\n' ' '; }
imports=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | lower)
[ "$imports" = "kernel32.dll msvcrt.dll " ] || { echo "FAIL: imported at start: $imports"; fail=1; }
# The delay-loaded DLLs are named only in the program's data.
named=$(LC_ALL=C grep -aoiE '[a-z0-9_]+\.dll' "$exe" | lower)
[ "$named" = "gdi32.dll kernel32.dll msvcrt.dll user32.dll " ] || { echo "FAIL: DLLs named: $named"; fail=1; }
echo "$exe: $(printf '%s\n' "$headers" | sed -n 's/.*file format //p'), $(wc -c <"$exe") bytes;" \
     "imported at start: $imports; named: $named"
exit $fail
