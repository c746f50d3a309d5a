#!/usr/bin/env bash
# Sets up, builds and runs every test: formatting, the native suites, both Windows cross builds
# with the same suites and an end-to-end run of Velastro.exe under Wine (the 32-bit build where
# this machine runs 32-bit programs, else the 64-bit one; VELASTRO_WINE=64 forces the latter),
# the fuzz targets for about 35 seconds, the packages (scripts/package.sh) with their checks, and
# the native suites again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh
jobs=2
work=$(mktemp -d)
trap 'wine_env_stop; rm -rf "$work"' EXIT

echo "== clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== native build and tests"
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELASTRO_BENCH=ON >/dev/null
cmake --build build -j$jobs
ctest --test-dir build -j$jobs --output-on-failure

wine_env_choose
echo "== Windows cross builds: 32-bit and 64-bit"
if [ "$VELASTRO_BITS" = 32 ]; then
  VELASTRO_ARCH=32 bash scripts/build-windows.sh
else
  # The 32-bit suites could not run here; the programs are still built and checked.
  VELASTRO_ARCH=32 bash scripts/build-windows.sh --programs
fi
VELASTRO_ARCH=64 bash scripts/build-windows.sh
bash scripts/check-windows-exe.sh 32 build-mingw/app/Velastro.exe build-mingw/cli/velastro-cli.exe
bash scripts/check-windows-exe.sh 64 build-mingw64/app/Velastro.exe build-mingw64/cli/velastro-cli.exe

echo "== the $VELASTRO_BITS-bit Windows suites and Velastro.exe end to end, under Wine"
wine_env_start
# One at a time: the dialog suites share the one screen, its focus and its pointer.
ctest --test-dir "$VELASTRO_TREE" --output-on-failure
if [ "$VELASTRO_BITS" = 32 ]; then
  ctest --test-dir build-mingw64 --output-on-failure -R 'end-to-end'
elif wine_env_runs_32bit; then
  echo "32-bit programs built and checked; not run, as VELASTRO_WINE=64 asked"
else
  echo "32-bit programs built and checked; not run, as this machine cannot run 32-bit programs"
fi
wine_env_stop

echo "== fuzzing the formula engine for 20 seconds and the .FKT loader for 15"
CXX=clang++ cmake -G Ninja -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELASTRO_SANITIZE=ON -DVELASTRO_FUZZ=ON -DVELASTRO_TESTS=OFF -DVELASTRO_GUI=OFF >/dev/null
cmake --build build-fuzz --target formula-fuzz fkt-fuzz -j$jobs
mkdir "$work/formula" "$work/fkt"
build-fuzz/fuzz/formula-fuzz -max_total_time=20 -timeout=5 -max_len=4096 -print_final_stats=1 \
  -dict=fuzz/formula.dict "$work/formula" fuzz/corpus/formula 2>"$work/fuzz.log" ||
  { tail -n 60 "$work/fuzz.log"; exit 1; }
grep -E 'stat::number_of_executed_units|DONE' "$work/fuzz.log" || true
build-fuzz/fuzz/fkt-fuzz -max_total_time=15 -timeout=5 -max_len=4096 -print_final_stats=1 \
  "$work/fkt" fuzz/corpus/fkt 2>"$work/fkt.log" || { tail -n 60 "$work/fkt.log"; exit 1; }
grep -E 'stat::number_of_executed_units|DONE' "$work/fkt.log" || true

echo "== packages: made, checked, and each runnable setup installed and removed under Wine"
bash scripts/package.sh
bash tests/packaging/check_packages.sh

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELASTRO_SANITIZE=ON >/dev/null
cmake --build build-asan -j$jobs
ctest --test-dir build-asan -j$jobs --output-on-failure
