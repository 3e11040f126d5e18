#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need and is
# missing; does nothing when everything is there.
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    wine wine32:i386 wine64 fonts-wine xvfb xauth x11-apps imagemagick python3 clang-format)
# Where the kernel cannot run 32-bit programs, the tests run as a 64-bit build.
if [ "$("$(dirname "$0")/windows-preset.sh")" = win64 ]; then
    packages+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
fi

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
    need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    echo "setup: installing ${missing[*]}"
    sudo_if_needed apt-get update -qq
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
