#!/bin/sh
# Writes the release into dist/: runvo-<version>-win32.zip (the shipping
# program) and runvo-<version>-win64.zip, each holding runvo.exe, a sample
# runvo.DAT, README.txt and REFERENCE.txt (docs/users/ as plain text), and
# SHA256SUMS for the zips and the executables in them.
#
# The same commit gives the same bytes wherever and whenever it is built:
# the executable carries no time stamp, and the zip entries have the commit's
# time (or SOURCE_DATE_EPOCH), fixed modes, a fixed order and no owner.
# Sources without git (a source archive) need SOURCE_DATE_EPOCH.
#
# Given a code-signing certificate, both executables are signed (Authenticode,
# SHA-256) and the zips hold the signed ones; SHA256SUMS then also lists each
# executable as built, runvo.exe.unsigned, which is what removing the
# signature gives back. Without one, the release is unsigned.
#   RUNVO_SIGN_PKCS12     the certificate and its key, a PKCS#12 (.pfx) file
#   RUNVO_SIGN_PASSWORD   its password (read from the environment, never
#                         put on a command line)
#   RUNVO_SIGN_TIMESTAMP  a time-stamp server (RFC 3161) to ask, if any: the
#                         signature then stays valid after the certificate
#                         expires
#   sh scripts/package.sh
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
epoch=$(sh scripts/sources.sh date)
[ -n "$epoch" ] || { echo "no commit to take the time from: set SOURCE_DATE_EPOCH" >&2; exit 1; }

# Signs the executable $1 into $2.
sign() {
    set -- sign -pkcs12 "$RUNVO_SIGN_PKCS12" -readpass - -h sha256 -n Runvo -in "$1" -out "$2"
    [ -z "${RUNVO_SIGN_TIMESTAMP:-}" ] || set -- "$@" -ts "$RUNVO_SIGN_TIMESTAMP"
    printf '%s' "${RUNVO_SIGN_PASSWORD:-}" | osslsigncode "$@" >/dev/null
}

rm -rf dist
mkdir -p dist
# README.txt says whether the release is signed.
[ -z "${RUNVO_SIGN_PKCS12:-}" ] || export RUNVO_SIGNED=1
sums=
for arch in win32 win64; do
    build=build/package-$arch
    cmake --preset $arch -B $build -DBUILD_TESTING=OFF >/dev/null
    cmake --build $build --target runvo >/dev/null
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $build/CMakeCache.txt)
    name=runvo-$version-$arch
    stage=$build/$name
    rm -rf $stage
    mkdir -p $stage
    if [ -n "${RUNVO_SIGN_PKCS12:-}" ]; then
        sign $build/runvo.exe $stage/runvo.exe
        sums="$sums$(sha256sum <$build/runvo.exe | cut -d' ' -f1)  $name/runvo.exe.unsigned
"
    else
        cp $build/runvo.exe $stage/runvo.exe
    fi
    cp samples/windows/runvo.DAT $stage/runvo.DAT
    for text in README REFERENCE; do
        sh scripts/plaintext.sh docs/users/$text.md >$stage/$text.txt
    done
    chmod 755 $stage/runvo.exe
    chmod 644 $stage/runvo.DAT $stage/README.txt $stage/REFERENCE.txt
    touch -d @$epoch $stage/*
    (cd $stage && TZ=UTC zip -X -q ../../../dist/$name.zip runvo.exe runvo.DAT README.txt REFERENCE.txt)
    sums="$sums$(cd $build && sha256sum $name/runvo.exe)
$(cd dist && sha256sum $name.zip)
"
done
printf '%s' "$sums" >dist/SHA256SUMS
ls -l dist
cat dist/SHA256SUMS
