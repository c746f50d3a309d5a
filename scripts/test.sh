#!/usr/bin/env bash
# Sets up, builds and runs every test: formatting, the native suites, the Windows cross build
# with the same suites and an end-to-end run of Velastro.exe under Wine, the fuzz targets for
# about 35 seconds, and the native suites again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
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

echo "== 32-bit Windows cross build"
bash scripts/build-windows.sh
bash scripts/check-windows-exe.sh build-mingw/app/Velastro.exe build-mingw/cli/velastro-cli.exe

echo "== the Windows suites and Velastro.exe end to end, under Wine"
wine_env_start
# One at a time: the dialog suites share the one screen, its focus and its pointer.
ctest --test-dir build-mingw --output-on-failure
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

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELASTRO_SANITIZE=ON >/dev/null
cmake --build build-asan -j$jobs
ctest --test-dir build-asan -j$jobs --output-on-failure
