#!/usr/bin/env bash
# Cross-builds the Windows programs and their test suites with MinGW-w64, GoogleTest built from
# Debian's sources by the same compiler. VELASTRO_ARCH picks the build: 32 (i686, the default)
# into build-mingw/, 64 (x86_64) into build-mingw64/.
# Usage: build-windows.sh [--programs] [TARGET...]: --programs builds Velastro.exe and
# velastro-cli.exe only, configuring no test suites unless the tree already has them; TARGETs
# build just those (all when none).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
wine_env_tree "${VELASTRO_ARCH:-32}" || exit 2
tree=$VELASTRO_TREE loader=$VELASTRO_WINE_LOADER
toolchain=$PWD/cmake/mingw-$([ "${VELASTRO_ARCH:-32}" = 32 ] && echo i686 || echo x86_64).cmake
tests=ON
if [ "${1:-}" = --programs ]; then
  # A tree built with its suites keeps them, so packaging after testing reconfigures nothing.
  grep -qx 'VELASTRO_TESTS:BOOL=ON' $tree/CMakeCache.txt 2>/dev/null || tests=OFF
  set -- Velastro velastro-cli
fi
gtest=$PWD/$tree-gtest
if [ $tests = ON ] && [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "build-windows: GoogleTest for MinGW ($tree)"
  cmake -G Ninja -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" >/dev/null
  cmake --build "$gtest/build" -j2 >/dev/null
  cmake --install "$gtest/build" >/dev/null
fi
# ctest runs the .exe files through the build's own Wine loader, never the wrapper's guess.
cmake -G Ninja -S . -B $tree -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DVELASTRO_TESTS=$tests -DGTest_DIR="$gtest/install/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=$loader >/dev/null
if [ $# -gt 0 ]; then
  cmake --build $tree -j2 --target "$@"
else
  cmake --build $tree -j2
fi
