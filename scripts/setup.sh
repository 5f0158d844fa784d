#!/usr/bin/env bash
# Installs what building and testing Pelorn needs on Debian; packages already
# present are skipped, so a prepared machine passes through in a second.
set -euo pipefail

# Wine is installed with its recommended packages: its own fonts and the X
# libraries it loads at run time come that way. The PNG files use zlib (for
# Linux and, as a static archive, for the MinGW-w64 build) and the stb_image
# header.
packages=(cmake make g++ libgtest-dev libbenchmark-dev g++-mingw-w64-x86-64 wine wine64 fonts-wine
          xvfb xdotool imagemagick x11-utils python3 clang
          zlib1g-dev libz-mingw-w64-dev libstb-dev)

installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

apt_install() {
    echo "setup: installing $*"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null
}

updated=0
apt_update() {
    if [ "$updated" -eq 0 ]; then
        "${sudo[@]}" apt-get update -qq >/dev/null
        updated=1
    fi
}

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ "${#missing[@]}" -gt 0 ]; then
    apt_update
    apt_install "${missing[@]}"
fi

# libFuzzer's runtime comes with the compiler-rt package of the installed clang.
if command -v clang >/dev/null; then
    major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)
    if [ -n "$major" ] && ! installed "libclang-rt-$major-dev"; then
        apt_update
        apt_install "libclang-rt-$major-dev" || echo "setup: libclang-rt-$major-dev not available; fuzzers will not build"
    fi
fi
