#!/bin/sh
# What the release is made of, from a git clone or from a copy of the sources
# without git (a source archive, or a machine without the git program):
#   sources.sh files   the source files, NUL-separated: those git tracks, or
#                      else every file but the build's and the release's
#   sources.sh date    the time the release carries, in seconds since 1970:
#                      SOURCE_DATE_EPOCH when set, else the commit's time;
#                      nothing where there is neither
set -eu
cd "$(dirname "$0")/.."

# A repository of these sources (not one that merely holds them) and git.
in_git() {
    command -v git >/dev/null 2>&1 && [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]
}

case ${1:-} in
files)
    if in_git; then
        git ls-files -z
    else
        find . \( -path ./build -o -path ./dist -o -path ./.git \) -prune -o -type f -print0
    fi ;;
date)
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    elif in_git; then
        git log -1 --format=%ct
    fi ;;
*) echo "usage: $0 files|date" >&2; exit 2 ;;
esac
