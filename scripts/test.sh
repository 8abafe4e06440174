#!/bin/sh
# Runs every test: installs what is missing, then configures, builds and
# tests each build through ctest:
#   native  the core's unit tests, with ASan and UBSan
#   win32   the shipping program's headers (and, where this machine can run
#           32-bit programs, the end-to-end tests under Wine)
#   win64   the end-to-end tests of the same program under wine64
#   fuzz    a short run of each fuzz target (RUNVO_FUZZ_SECONDS, default 30)
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

for preset in native win32 win64 fuzz; do
    echo "== $preset"
    cmake --preset $preset -DRUNVO_FUZZ_SECONDS=${RUNVO_FUZZ_SECONDS:-30} >/dev/null
    cmake --build --preset $preset
done

ctest --preset native
if sh scripts/can-run-win32.sh; then
    ctest --preset win32
else
    echo "This machine cannot run 32-bit programs: the end-to-end tests run on the win64 build only."
    ctest --preset win32 -LE e2e
fi
ctest --preset win64
ctest --preset fuzz
