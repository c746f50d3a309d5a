#!/usr/bin/env bash
# Sets up, builds and runs the main job: the Oval Brilliant weight for 6 x 4 x 3 mm.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -G Ninja -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target velastro-cli -j2
./build/cli/velastro-cli eval -B 6 -F 4 -G 3 "(B+F)/2*(B+F)/2*G*.0065"
