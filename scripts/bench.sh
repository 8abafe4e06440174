#!/bin/sh
# Runs the benchmarks and prints their figures; they pass or fail nothing.
#   - reading the list file: ReadListLine against wc -l, and peak memory;
#   - the program's size against its guards and what it imports, for win32
#     and win64;
#   - under Wine: start to chooser, and quick launch, against minimal
#     Win32 programs doing only the same visible work, for the win64 build
#     and, where this machine runs 32-bit programs, the win32 build.
# RUNVO_BENCH_BEFORE=<commit> builds that commit too (in build/before) and
# measures its start to the chooser in the same rounds.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
for preset in bench win32 win64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset >/dev/null
done
before=
if [ -n "${RUNVO_BENCH_BEFORE:-}" ]; then
    before=$(pwd)/build/before
    rm -rf "$before"
    git worktree add --force --detach "$before/src" "$RUNVO_BENCH_BEFORE" >/dev/null 2>&1
    for preset in win32 win64; do
        (cd "$before/src" && cmake --preset $preset -DBUILD_TESTING=OFF >/dev/null &&
            cmake --build --preset $preset --target runvo >/dev/null)
    done
fi

./build/bench/bench/listfile_bench

echo "runvo.exe size and imports"
for arch in win32 win64; do
    case $arch in win32) objdump=i686-w64-mingw32-objdump ;; *) objdump=x86_64-w64-mingw32-objdump ;; esac
    # The headers' check says the sizes against their guards, and the imports.
    sh tests/pe_headers.sh $objdump build/$arch/runvo.exe | tail -n 1 | sed 's/^/  /'
done

# Each build against baselines of its own kind, under the Wine loader of
# that kind; the 32-bit build where this machine runs 32-bit programs.
wine=
trap '[ -z "$wine" ] || sh tests/wine/session.sh stop $wine' EXIT
for arch in win64 win32; do
    case $arch in
    win32)
        if ! sh scripts/can-run-win32.sh; then
            echo "startup under Wine (win32 build): this machine cannot run 32-bit programs"
            continue
        fi
        loader=/usr/lib/wine/wine how=native
        grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386 && how="emulated by qemu"
        echo "startup under Wine (win32 build and baselines, 32-bit code $how)" ;;
    *)
        loader=/usr/lib/wine/wine64
        echo "startup under Wine (win64 build and baselines)" ;;
    esac
    wine=build/$arch/wine
    sh tests/wine/session.sh start $wine >/dev/null
    tests/wine/run.sh $wine $loader build/$arch/bench/startup_bench.exe \
        build/$arch/runvo.exe build/$arch/tests/probe.exe \
        build/$arch/bench/baseline_dialog.exe build/$arch/bench/baseline_quick.exe \
        ${before:+$before/src/build/$arch/runvo.exe}
    sh tests/wine/session.sh stop $wine
    wine=
done
[ -z "$before" ] || git worktree remove --force "$before/src"
