#!/usr/bin/env bash
# Sets up, builds and starts Velastro.exe, the 32-bit Windows program, under Wine. With a display
# the window opens for you. Without one it runs under Xvfb: it chooses Oval Brilliant, enters
# 6 x 4 x 3 mm, clicks "Click Here", prints the answer (0.487500) and writes screenshots of the
# window and of the About box to build-mingw/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build-windows.sh Velastro velastro-remote
source scripts/wine-env.sh
trap wine_env_stop EXIT
had_display=${DISPLAY:-}
wine_env_start
if [ -n "$had_display" ]; then
  wine build-mingw/app/Velastro.exe
else
  bash tests/e2e/end_to_end.sh build-mingw/app/Velastro.exe \
    build-mingw/tests/e2e/velastro-remote.exe build-mingw/screenshots
fi
