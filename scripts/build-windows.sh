#!/usr/bin/env bash
# Cross-builds the Windows programs and their test suites with MinGW-w64 i686 into build-mingw/,
# with GoogleTest built from Debian's sources by the same compiler. Arguments: targets to build
# (all when none are given).
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$PWD/cmake/mingw-i686.cmake
gtest=$PWD/build-mingw-gtest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "build-windows: GoogleTest for MinGW"
  cmake -G Ninja -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" >/dev/null
  cmake --build "$gtest/build" -j2 >/dev/null
  cmake --install "$gtest/build" >/dev/null
fi
cmake -G Ninja -S . -B build-mingw -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DVELASTRO_TESTS=ON -DGTest_DIR="$gtest/install/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build build-mingw -j2 --target "$@"
else
  cmake --build build-mingw -j2
fi
