#!/usr/bin/env bash
# Builds the browser edition into build-web/ (or the TARGETs given) with Debian's emscripten: the core as WebAssembly,
# the page in build-web/site/, and the core's suites for node (ctest --test-dir build-web runs
# them). Installs emscripten first when it is missing (Debian 12, as root).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-web.sh
# Emscripten's JavaScript tools need Debian's node-acorn, which a node from elsewhere cannot see.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Debian's emscripten keeps its prebuilt system libraries in its own cache; nothing is fetched.
# Plain node runs the suites: emcmake's default adds a flag that node 18 and later refuse.
emcmake cmake -G Ninja -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" >/dev/null
# Targets, when given, limit the build (velastro-site: the page alone, without the suites).
cmake --build build-web -j2 ${1:+--target "$@"}
