#!/bin/sh
# The program's headers, as objdump reads them: a GUI executable of the
# build's format whose import table names only KERNEL32, USER32, GDI32 and
# msvcrt.dll (the rest is linked in statically).
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
dlls=$(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
[ "$dlls" = "gdi32.dll kernel32.dll msvcrt.dll user32.dll " ] || { echo "FAIL: imports: $dlls"; fail=1; }
echo "$exe: $(printf '%s\n' "$headers" | sed -n 's/.*file format //p'), imports $dlls"
exit $fail
