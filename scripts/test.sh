#!/bin/sh
# Runs every test: installs what is missing, then configures, builds and
# tests each build through ctest:
#   native  the core's unit tests, with ASan and UBSan
#   win32   the shipping program: its headers, and the end-to-end tests under
#           32-bit Wine (natively or emulated by qemu, as setup.sh arranged;
#           where neither can be, the headers only)
#   win64   the same program for x86_64: headers and end-to-end tests
#   fuzz    a short run of each fuzz target (RUNVO_FUZZ_SECONDS, default 30)
#   bench   built only, so that the benchmarks keep building
# and then checks that the release builds to the same bytes from two copies
# of the sources, with the executables that the tests ran, and that a release
# signed with a throwaway certificate verifies, gives those bytes back
# unsigned, and runs.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh

for preset in native win32 win64 fuzz bench; do
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
sh tests/reproducible.sh
sh tests/signing.sh
