#!/usr/bin/env bash
# Sets up, builds and runs every test: formatting, the native suites, both Windows cross builds
# with the same suites and an end-to-end run of Velastro.exe under Wine (the 32-bit build where
# this machine runs 32-bit programs, else the 64-bit one; VELASTRO_WINE=64 forces the latter),
# the browser edition (the core's suites under node, the page in chromium against velastro-cli),
# the packages (scripts/package.sh) with their checks, the fuzz targets for about a minute, the
# native suites again under AddressSanitizer and UndefinedBehaviorSanitizer, and the measured
# weight model refitted on the table it was fitted on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh
jobs=2
work=$(mktemp -d)
background=
trap '[ -z "$background" ] || kill "$background" 2>/dev/null; wine_env_stop; rm -rf "$work"' EXIT

# fuzz TARGET SECONDS [libFuzzer options]: runs one target from its corpus in fuzz/corpus/.
fuzz() {
  local target=$1 seconds=$2 name=${1%-fuzz}
  shift 2
  mkdir "$work/$name"
  build-fuzz/fuzz/$target -max_total_time="$seconds" -timeout=5 -max_len=4096 \
    -print_final_stats=1 "$@" "$work/$name" "fuzz/corpus/$name" 2>"$work/$name.log" ||
    { tail -n 60 "$work/$name.log"; return 1; }
  echo "$target: $(grep -E 'stat::number_of_executed_units' "$work/$name.log")"
}

# The page in Debian's chromium, driven by playwright-core (pinned by tests/web's lock file; it
# downloads no browser), against the native velastro-cli on the same inputs.
web_in_browser() {
  local root=$PWD
  echo "== the page in chromium, against velastro-cli"
  (cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent)
  mkdir -p build-web/screenshots
  (cd tests/web && VELASTRO_CLI=$root/build/cli/velastro-cli VELASTRO_SITE=$root/build-web/site \
    VELASTRO_SCREENSHOTS=$root/build-web/screenshots node --test)
  echo "screenshots of the page: build-web/screenshots/web-phone.png and web-desktop.png"
}

# The streams the random user drew and its pace, from a tree's last ctest run.
random_user_streams() {
  grep -h '^random user: stream .*steps/s' "$1/Testing/Temporary/LastTest.log" | tr -d '\r' || true
}

# The stages that need no screen; they run beside the builds and the Wine stages. The timed
# fuzzing and the sanitized window tests come after the long compile, when the builds beside
# them are done and the Wine stages mostly wait.
fuzz_and_sanitize() {
  echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer: built"
  # Line tables only: enough for the sanitizers' reports, at a fraction of full debug data.
  cmake -G Ninja -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DVELASTRO_SANITIZE=ON >/dev/null
  cmake --build build-asan -j$jobs

  echo "== fuzzing: the formula engine, its replay, the .FKT loader and the batch reader"
  CXX=clang++ cmake -G Ninja -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELASTRO_SANITIZE=ON -DVELASTRO_FUZZ=ON -DVELASTRO_TESTS=OFF -DVELASTRO_GUI=OFF >/dev/null
  cmake --build build-fuzz -j$jobs --target formula-fuzz replay-fuzz fkt-fuzz batch-fuzz
  # Two at a time, one for each core.
  fuzz formula-fuzz 20 -dict=fuzz/formula.dict &
  fuzz replay-fuzz 20 -dict=fuzz/formula.dict
  wait $!
  fuzz fkt-fuzz 15 &
  fuzz batch-fuzz 15
  wait $!

  echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer: run"
  ctest --test-dir build-asan -j$jobs --output-on-failure
  random_user_streams build-asan

  echo "== the measured weight model refitted on its training half: the written numbers hold"
  bash bench/accuracy.sh --check
}

echo "== clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== native build and tests"
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELASTRO_BENCH=ON >/dev/null
cmake --build build -j$jobs
ctest --test-dir build -j$jobs --output-on-failure
random_user_streams build

# Mostly compiling and fuzzing: at a lower priority, it takes the processors whenever the stages
# below leave them, as the Wine stages mostly wait.
(
  set -e
  renice -n 10 -p $BASHPID >/dev/null
  fuzz_and_sanitize
) >"$work/background.log" 2>&1 &
background=$!

echo "== the browser edition: the core as WebAssembly, its suites under node"
bash scripts/build-web.sh
ctest --test-dir build-web -j$jobs --output-on-failure

wine_env_choose
echo "== Windows cross builds: 32-bit and 64-bit"
if [ "$VELASTRO_BITS" = 32 ]; then
  VELASTRO_ARCH=32 bash scripts/build-windows.sh
else
  # The 32-bit suites could not run here; the programs are still built and checked.
  VELASTRO_ARCH=32 bash scripts/build-windows.sh --programs
fi
VELASTRO_ARCH=64 bash scripts/build-windows.sh
for bits in 32 64; do
  (wine_env_tree $bits && bash scripts/check-windows-exe.sh $bits \
    "$VELASTRO_TREE/app/Velastro.exe" "$VELASTRO_TREE/cli/velastro-cli.exe")
done

echo "== the $VELASTRO_BITS-bit Windows suites and Velastro.exe end to end, under Wine"
wine_env_start
# One at a time: the dialog suites share the one screen, its focus and its pointer.
ctest --test-dir "$VELASTRO_TREE" --output-on-failure
random_user_streams "$VELASTRO_TREE"
if [ "$VELASTRO_BITS" = 32 ]; then
  (wine_env_tree 64 && ctest --test-dir "$VELASTRO_TREE" --output-on-failure -R 'end-to-end')
elif wine_env_runs_32bit; then
  echo "32-bit programs built and checked; not run, as VELASTRO_WINE=64 asked"
else
  echo "32-bit programs built and checked; not run, as this machine cannot run 32-bit programs"
fi
wine_env_stop

echo "== packages: made, checked, and each runnable setup installed and removed under Wine"
bash scripts/package.sh
bash tests/packaging/check_packages.sh

# Beside the sanitizer stage, which takes longer than the Wine stages and the packages.
web_in_browser

status=0
wait "$background" || status=$?
background=
cat "$work/background.log"
[ "$status" -eq 0 ] || { echo "test: fuzzing or the sanitizer stage failed ($status)"; exit 1; }
