#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (run as root); quiet when all is there.
set -euo pipefail

packages=(g++ clang libclang-rt-14-dev clang-format cmake ninja-build pkg-config
  googletest libgtest-dev libbenchmark-dev libcli11-dev libmuparser-dev locales
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev file
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev icoutils
  wine wine32:i386 wine64 fonts-wine xvfb xauth fonts-liberation fonts-dejavu-core
  nsis zip unzip dpkg-dev binutils help2man lintian)
# The browser edition's: emscripten, chromium, node and npm.
read -ra web_packages <<<"$(bash "$(dirname "$0")/setup-web.sh" --list)"
packages+=("${web_packages[@]}")

# 32-bit Wine runs the 32-bit Windows build where the kernel runs 32-bit programs.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The locale tests read and write numbers under a German locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
