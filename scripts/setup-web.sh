#!/usr/bin/env bash
# Installs what the browser edition needs on Debian 12 (run as root): emscripten to build it,
# node and npm to test it, chromium to drive the page. Quiet when all is there. With --list it
# only prints the packages (scripts/setup.sh installs them with the rest).
set -euo pipefail

packages=(emscripten chromium python3)
# Node 18 or later serves: Debian's when none is installed.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
if [ "${1:-}" = --list ]; then
  echo "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup-web: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
