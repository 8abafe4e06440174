#!/bin/sh
# Installs what building and testing the launcher needs on Debian 12, when it
# is missing: the MinGW-w64 cross compilers, CMake and Ninja, wine64, a
# virtual display with a window manager, clang for the fuzzers, the image
# tools for screenshots, openssl and osslsigncode for signing a release,
# Python for the icon's drawing, the locales' sources (a Wine session in
# another code page builds its locale from them); then,
# as far as this machine allows, what runs 32-bit Windows programs. Needs root
# (or sudo) only when something is missing. Changes no apt source of the
# system.
set -eu
cd "$(dirname "$0")/.."
packages="cmake ninja-build g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
          wine64 xvfb openbox clang libclang-rt-14-dev clang-format imagemagick zip unzip openssl
          python3 locales"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
updated=

missing() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || printf ' %s' "$p"
    done
}

# Installs packages; the package lists are read once.
apt_install() {
    # A mirror in the middle of a sync fails a list now and then: try again,
    # then go on with the lists that came (the install says what is missing).
    if [ -z "$updated" ]; then
        $sudo apt-get update -qq || { sleep 10; $sudo apt-get update -qq; } ||
            echo "apt-get update failed for some lists; installing from the lists it has"
    fi
    updated=1
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

# The Debian mirror of this machine's own apt sources: the first that serves
# bookworm, in either format.
debian_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
        2>/dev/null | awk '
        /^deb[ \t]/ { sub(/\[[^]]*\]/, ""); if ($3 == "bookworm") { print $2; exit } }
        /^$/ { uri = "" }
        tolower($1) == "uris:" { uri = $2 }
        tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == "bookworm") found = 1 }
        found && uri != "" { print uri; exit }
        /^$/ { found = 0 }'
}

# Installs packages from bookworm-backports through a source list of its own
# for this command alone.
backports_install() {
    mirror=$(debian_mirror)
    [ -n "$mirror" ] || return 1
    list=$(mktemp)
    cat /etc/apt/sources.list 2>/dev/null >"$list" || true
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    [ -f $keyring ] && opts="[signed-by=$keyring] " || opts=
    echo "deb $opts$mirror bookworm-backports main" >>"$list"
    chmod 644 "$list"
    rc=0
    $sudo apt-get update -qq -o Dir::Etc::SourceList="$list" &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            -o Dir::Etc::SourceList="$list" -t bookworm-backports "$@" >/dev/null || rc=$?
    rm -f "$list"
    return $rc
}

# Installs a package from bookworm-backports unless this version of it, or a
# later one, is installed.
backports_at_least() { # package version
    v=$(dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true)
    [ -n "$v" ] && dpkg --compare-versions "$v" ge "$2" && return 0
    echo "Installing: $1 from bookworm-backports"
    backports_install "$1"
}

# Installs packages from bookworm and bookworm-updates alone, through lists of
# their own for this command: a security list of one architecture that is out
# of step with the other's (a mirror in the middle of a sync) leaves the
# libraries both architectures share at versions apt cannot match. Nothing is
# removed: name every package that must stay (wine64 beside wine32:i386).
without_security_install() {
    mirror=$(debian_mirror)
    [ -n "$mirror" ] || return 1
    dir=$(mktemp -d)
    chmod 755 "$dir"
    mkdir -p "$dir/lists/partial"
    keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    [ -f $keyring ] && opts="[signed-by=$keyring] " || opts=
    printf 'deb %s%s bookworm main\ndeb %s%s bookworm-updates main\n' \
        "$opts" "$mirror" "$opts" "$mirror" >"$dir/sources.list"
    lists="-o Dir::Etc::SourceList=$dir/sources.list -o Dir::Etc::SourceParts=/nonexistent
           -o Dir::State::Lists=$dir/lists"
    rc=0
    $sudo apt-get update -qq $lists &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
            --no-remove $lists "$@" >/dev/null || rc=$?
    rm -rf "$dir"
    return $rc
}

no_win32() {
    echo "32-bit Windows programs cannot run here ($1): only the win64 build's end-to-end tests will run."
}

# Wine's 32-bit loader; where the kernel runs no 32-bit code, qemu-user
# emulates the CPU for it, registered for i386 programs with binfmt_misc.
# Debian 12's qemu 7.2 takes a minute to start a 32-bit Wine program; the
# qemu 10 of bookworm-backports a quarter of a second.
setup_win32() {
    sh scripts/can-run-win32.sh && return 0
    [ -z "$sudo" ] || command -v sudo >/dev/null || { no_win32 "installing it needs root"; return 0; }
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        updated=
    fi
    [ -z "$(missing wine32:i386)" ] || apt_install wine32:i386 ||
        { echo "Installing wine32:i386 from bookworm and bookworm-updates alone"
          without_security_install wine64 wine32:i386; } ||
        { no_win32 "wine32:i386 could not be installed from this machine's apt sources"; return 0; }
    sh scripts/can-run-win32.sh && return 0

    binfmt=/proc/sys/fs/binfmt_misc
    [ -e $binfmt/register ] || $sudo mount -t binfmt_misc binfmt_misc $binfmt 2>/dev/null || true
    [ -e $binfmt/register ] || { no_win32 "the kernel runs no 32-bit code and has no binfmt_misc"; return 0; }
    backports_at_least qemu-user 1:10 || { no_win32 "qemu 10 could not be installed"; return 0; }
    [ ! -e $binfmt/qemu-i386 ] || $sudo sh -c "echo -1 >$binfmt/qemu-i386"
    $sudo sh -c "cat /usr/share/qemu/binfmt.d/qemu-i386.conf >$binfmt/register" 2>/dev/null ||
        { no_win32 "an emulator cannot be registered with binfmt_misc"; return 0; }
    sh scripts/can-run-win32.sh || no_win32 "Wine's 32-bit loader does not start under qemu"
}

missing=$(missing $packages)
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    apt_install $missing
fi
# Signing a release: osslsigncode 2.9 from bookworm-backports (bookworm's own
# is 2.5).
backports_at_least osslsigncode 2.9 || apt_install osslsigncode
setup_win32
