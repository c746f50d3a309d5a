#!/usr/bin/env bash
# Builds the browser edition (scripts/build-web.sh) and serves its page on http://127.0.0.1:8080
# until stopped (Ctrl-C); PORT=N serves on another port.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh velastro-site
echo "web: serving build-web/site/ at http://127.0.0.1:${PORT:-8080}/ (Ctrl-C stops it)"
exec node web/serve.mjs build-web/site "${PORT:-8080}"
