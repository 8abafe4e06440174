#!/bin/sh
# A signed release: given a throwaway code-signing certificate made here, the
# release command signs both executables. Each signature verifies against
# this test's own certificate authority and not against another; the zips
# and SHA256SUMS hold the signed files; removing a signature gives back the
# executable that the tests ran, as SHA256SUMS says; a wrong password fails
# the release; and the signed programs pass the quick-launch suite under
# Wine. Needs no network.
#   signing.sh
set -eu
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
check() { # what, command...
    what=$1
    shift
    "$@" >"$tmp/out" 2>&1 || { echo "FAIL: $what"; sed 's/^/  /' "$tmp/out"; fail=1; }
}

# An authority, one that nobody here trusts, and a code-signing certificate
# of the first's.
authority() {
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Runvo test $1" \
        -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign \
        -keyout "$tmp/$1.key" -out "$tmp/$1.pem" 2>/dev/null
}
authority authority
authority stranger
openssl req -newkey rsa:2048 -nodes -subj "/CN=Runvo test signer" \
    -keyout "$tmp/signer.key" -out "$tmp/signer.csr" 2>/dev/null
printf 'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' \
    >"$tmp/signer.ext"
openssl x509 -req -days 2 -in "$tmp/signer.csr" -CA "$tmp/authority.pem" \
    -CAkey "$tmp/authority.key" -CAcreateserial -extfile "$tmp/signer.ext" \
    -out "$tmp/signer.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$tmp/signer.key" -in "$tmp/signer.pem" \
    -certfile "$tmp/authority.pem" -passout pass:"throw away" -out "$tmp/signer.p12"

# The release from a copy of the sources, signed.
SOURCE_DATE_EPOCH=$(sh scripts/sources.sh date)
[ -n "$SOURCE_DATE_EPOCH" ] || SOURCE_DATE_EPOCH=$(date +%s)
export SOURCE_DATE_EPOCH RUNVO_SIGN_PKCS12="$tmp/signer.p12"
mkdir "$tmp/src"
sh scripts/sources.sh files | tar --null -T - -cf - | tar xf - -C "$tmp/src"
RUNVO_SIGN_PASSWORD="throw away" sh "$tmp/src/scripts/package.sh" >/dev/null
dist=$tmp/src/dist
for zip in "$dist"/*.zip; do
    unzip -q "$zip" -d "${zip%.zip}" # as Extract All unpacks it
done
for arch in win32 win64; do
    exe=$(ls "$dist"/runvo-*-$arch/runvo.exe)
    check "$arch: the signature does not verify" osslsigncode verify -CAfile "$tmp/authority.pem" -in "$exe"
    grep -q "Signature verification: ok" "$tmp/out" || { echo "FAIL: $arch: no verified signature"; fail=1; }
    if osslsigncode verify -CAfile "$tmp/stranger.pem" -in "$exe" >/dev/null 2>&1; then
        echo "FAIL: $arch: the signature verifies against an authority that did not issue it"
        fail=1
    fi
    check "$arch: the signature cannot be removed" osslsigncode remove-signature -in "$exe" -out "$exe.unsigned"
    check "$arch: the unsigned executable is not the one tested" cmp "$exe.unsigned" build/$arch/runvo.exe
done
check "SHA256SUMS does not hold the signed release" sh -c "cd '$dist' && sha256sum -c --strict SHA256SUMS"
echo "signed: $(cd "$dist" && sha256sum runvo-*/runvo.exe | tr '\n' ' ')"

# The signed programs run as the ones tested did.
for arch in win64 win32; do
    loader=/usr/lib/wine/wine64
    if [ $arch = win32 ]; then
        sh scripts/can-run-win32.sh || { echo "win32: this machine cannot run it"; continue; }
        loader=/usr/lib/wine/wine
    fi
    sh tests/wine/session.sh start build/$arch/wine >/dev/null
    check "$arch: the signed program fails the quick-launch suite" tests/wine/run.sh build/$arch/wine \
        $loader build/$arch/tests/quick_test.exe "$(ls "$dist"/runvo-*-$arch/runvo.exe)" \
        build/$arch/tests/probe.exe
    tail -n 1 "$tmp/out"
    sh tests/wine/session.sh stop build/$arch/wine
done

# A wrong password is a failed release, never an unsigned one.
if RUNVO_SIGN_PASSWORD=wrong sh "$tmp/src/scripts/package.sh" >/dev/null 2>&1; then
    echo "FAIL: a release with a wrong password was made"
    fail=1
fi
[ $fail -eq 0 ] && echo "signing: the release is signed, verified, and unsigned gives the tested bytes"
exit $fail
