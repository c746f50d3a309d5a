#!/usr/bin/env bash
# Sets up, builds and starts Velastro.exe under Wine: the 32-bit program where this machine runs
# 32-bit programs, else the 64-bit one (VELASTRO_WINE=64 forces it). With a display the window
# opens for you. Without one it runs under Xvfb: it chooses Oval Brilliant, enters 6 x 4 x 3 mm,
# clicks "Click Here", prints the answer (0.487500) and writes screenshots of the window and of
# the About box to build-mingw/screenshots/ (build-mingw64/ for the 64-bit program).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh
wine_env_choose
if [ "$VELASTRO_BITS" = 32 ]; then
  echo "run: the 32-bit Velastro.exe, as this machine runs 32-bit programs"
elif wine_env_runs_32bit; then
  echo "run: the 64-bit Velastro.exe, as VELASTRO_WINE=64 asks"
else
  echo "run: the 64-bit Velastro.exe, as this machine cannot run 32-bit programs"
fi
VELASTRO_ARCH=$VELASTRO_BITS bash scripts/build-windows.sh Velastro velastro-remote
trap wine_env_stop EXIT
had_display=${DISPLAY:-}
wine_env_start
if [ -n "$had_display" ]; then
  "$VELASTRO_WINE_LOADER" "$VELASTRO_TREE/app/Velastro.exe"
else
  bash tests/e2e/end_to_end.sh "$VELASTRO_WINE_LOADER" "$VELASTRO_TREE/app/Velastro.exe" \
    "$VELASTRO_TREE/tests/e2e/velastro-remote.exe" "$VELASTRO_TREE/screenshots"
fi
