#!/usr/bin/env bash
# Cross-builds the Windows programs and their test suites with MinGW-w64, GoogleTest built from
# Debian's sources by the same compiler. VELASTRO_ARCH picks the build: 32 (i686, the default)
# into build-mingw/, 64 (x86_64) into build-mingw64/. Arguments: targets to build (all when none).
set -euo pipefail
cd "$(dirname "$0")/.."
case "${VELASTRO_ARCH:-32}" in
  32) toolchain=$PWD/cmake/mingw-i686.cmake tree=build-mingw ;;
  64) toolchain=$PWD/cmake/mingw-x86_64.cmake tree=build-mingw64 ;;
  *) echo "build-windows: VELASTRO_ARCH must be 32 or 64, not '$VELASTRO_ARCH'" >&2; exit 2 ;;
esac
gtest=$PWD/$tree-gtest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "build-windows: GoogleTest for MinGW ($tree)"
  cmake -G Ninja -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest/install" >/dev/null
  cmake --build "$gtest/build" -j2 >/dev/null
  cmake --install "$gtest/build" >/dev/null
fi
# ctest runs the .exe files through the loader the caller chose (scripts/wine-env.sh).
cmake -G Ninja -S . -B $tree -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DVELASTRO_TESTS=ON -DGTest_DIR="$gtest/install/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="${VELASTRO_WINE_LOADER:-$(command -v wine)}" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build $tree -j2 --target "$@"
else
  cmake --build $tree -j2
fi
