#!/bin/sh
# Runs the benchmarks and prints their figures (they pass or fail nothing).
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
./build/bench/bench/listfile_bench
