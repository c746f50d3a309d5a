#!/usr/bin/env bash
# The accuracy of the weight models on real round brilliants: the diamonds table of Debian's
# r-cran-ggplot2 (downloaded, never stored here). Refits the measured model's coefficients and
# the 90 % range factors on the training half (the even rows) and fails when they differ from
# carat/weight_model.cpp beyond their written digits; then prints the bias and errors of the
# window's round formula, the field rule 0.0061 and the measured model, on both halves and by
# size band, and the ranges' coverage, and draws bench/accuracy.png. The estimates come from the
# C++ program velastro-accuracy (built here under -DVELASTRO_BENCH=ON); R only fits and sums up.
# Usage: bash bench/accuracy.sh [--check]   (--check: only refit and compare; no report, no plot)
# Debian 12; installs what is missing when run as root.
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
[ "${1:-}" = --check ] && check=true

packages=(g++ cmake ninja-build pkg-config libbenchmark-dev libmuparser-dev libcli11-dev
  r-base-core)
$check || packages+=(gnuplot-nox fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  [ "$(id -u)" = 0 ] || { echo "accuracy: missing ${missing[*]}; run as root to install" >&2; exit 2; }
  echo "accuracy: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# apt fetches as its own user, which needs to write here.
chmod 777 "$work"
(cd "$work" && { apt-get download -qq r-cran-ggplot2 2>/dev/null ||
  { apt-get update -qq && apt-get download -qq r-cran-ggplot2; }; })
dpkg-deb -x "$work"/r-cran-ggplot2_*.deb "$work/ggplot2"
echo "table: the diamonds data set of $(basename "$work"/r-cran-ggplot2_*.deb)"

Rscript bench/fit_weight_model.R stones "$work/ggplot2" "$work/stones.csv"
Rscript bench/fit_weight_model.R fit "$work/stones.csv" carat/weight_model.cpp
cmake -G Ninja -S . -B build-accuracy -DCMAKE_BUILD_TYPE=Release -DVELASTRO_BENCH=ON \
  -DVELASTRO_TESTS=OFF -DVELASTRO_GUI=OFF >/dev/null
cmake --build build-accuracy -j2 --target velastro-accuracy >/dev/null
build-accuracy/bench/velastro-accuracy "$work/stones.csv" >"$work/estimates.csv"
Rscript bench/fit_weight_model.R ranges "$work/estimates.csv" carat/weight_model.cpp
if $check; then
  echo "accuracy: the written coefficients and range factors match the refit"
  exit 0
fi

Rscript bench/fit_weight_model.R report "$work/estimates.csv" "$work"
gnuplot -e "data='$work'; out='bench/accuracy.png'" bench/accuracy.gp
echo "picture: bench/accuracy.png"
