#!/usr/bin/env bash
# Times velastro-cli batch against mawk and Miller (mlr) on the same parcel, each computing the
# eight shape formulas for every row, interleaved round by round so that a busy machine slows
# all three alike; checks that the three outputs agree byte for byte; prints medians, ratios,
# rows per second, processor time (user and system: what a busy machine disturbs least) and peak
# memory (GNU time's %M), and velastro-cli's peak memory on a parcel a hundred times smaller, to
# show that it does not grow with the rows.
# Usage: parcel_bench.sh PATH-TO-velastro-cli [ROWS (1000000)] [ROUNDS (5)]
# Needs mawk, GNU time and python3; mlr (Debian package miller) is timed when installed.
set -euo pipefail
cli=$(realpath "$1")
rows=${2:-1000000}
rounds=${3:-5}
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The eight formulas as the shape catalogue has them ("velastro-cli shapes"), keyed by the first
# words the parcel names the shapes by: B, F and G become the length, width and depth; Miller
# wants a 0 before a leading point.
"$cli" shapes | sed -E 's/(^|[^0-9])\./\10./g' >"$work/shapes.tsv"
awk -F'\t' '{ s = tolower($1); sub(/ .*/, "", s); f = $3
  gsub(/B/, "b", f); gsub(/F/, "f", f); gsub(/G/, "g", f)
  printf "%s (s == \"%s\") c = %s\n", NR == 1 ? "  if" : "  else if", s, f }' \
  "$work/shapes.tsv" >"$work/chain.awk"
awk -F'\t' '{ s = tolower($1); sub(/ .*/, "", s); f = $3
  gsub(/B/, "b", f); gsub(/F/, "f", f); gsub(/G/, "g", f)
  printf "%s ($shape == \"%s\") { c = %s }\n", NR == 1 ? "if" : "elif", s, f }' \
  "$work/shapes.tsv" >"$work/chain.mlr"
{
  echo 'BEGIN { FS = OFS = "," }'
  echo 'NR == 1 { print $0, "carat", "error"; next }'
  echo '{'
  echo '  b = $3; f = $4; g = $5; s = $2; c = 0'
  cat "$work/chain.awk"
  echo '  printf "%s,%.6f,\n", $0, c'
  echo '}'
} >"$work/shapes.awk"
{
  echo 'var b = $length; var f = $width; var g = $depth; var c = 0;'
  cat "$work/chain.mlr"
  echo '$carat = fmtnum(c, "%.6f");'
  echo '$error = "";'
} >"$work/shapes.mlr"

python3 "$here/make_parcel.py" "$rows" >"$work/parcel.csv"
python3 "$here/make_parcel.py" $((rows / 100)) >"$work/small.csv"
tools=(velastro-cli mawk)
command -v mlr >/dev/null && tools+=(mlr) || echo "mlr not installed (Debian package miller): timing the other two"

# run TOOL INPUT OUTPUT: appends "seconds kilobytes processor-seconds" to $work/TOOL.times
run() {
  case $1 in
    velastro-cli) command=("$cli" batch "$2") ;;
    mawk) command=(mawk -f "$work/shapes.awk" "$2") ;;
    mlr) command=(mlr --csv put -f "$work/shapes.mlr" "$2") ;;
  esac
  /usr/bin/time -f "%e %M %U %S" -o "$work/time" "${command[@]}" >"$3" 2>/dev/null
  awk '{ print $1, $2, $3 + $4 }' "$work/time" >>"$work/$1.times"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for round in $(seq "$rounds"); do
  for tool in "${tools[@]}"; do run "$tool" "$work/parcel.csv" "$work/$tool.out"; done
  run velastro-cli "$work/small.csv" /dev/null && tail -n 1 "$work/velastro-cli.times" >>"$work/small.times" &&
    sed -i '$ d' "$work/velastro-cli.times"
done

for tool in "${tools[@]:1}"; do
  if cmp -s "$work/velastro-cli.out" "$work/$tool.out"; then agree=yes; else agree=NO; fi
  echo "$tool agrees with velastro-cli to every printed digit: $agree"
done
printf '%-13s %8s %10s %10s %12s   %s\n' tool seconds rows/s "cpu s" "peak memory" \
  "velastro-cli ahead (wall, cpu)"
for tool in "${tools[@]}"; do
  seconds=$(cut -d' ' -f1 "$work/$tool.times" | median)
  kilobytes=$(cut -d' ' -f2 "$work/$tool.times" | median)
  cpu=$(cut -d' ' -f3 "$work/$tool.times" | median)
  echo "$tool $seconds $kilobytes $cpu" >>"$work/medians"
done
read -r _ base _ baseCpu <"$work/medians"
while read -r tool seconds kilobytes cpu; do
  awk -v t="$tool" -v s="$seconds" -v k="$kilobytes" -v c="$cpu" -v r="$rows" -v b="$base" \
    -v bc="$baseCpu" 'BEGIN { printf "%-13s %8.3f %10.0f %10.3f %9.1f MB   %.1fx, %.1fx\n",
                              t, s, r / s, c, k / 1024, s / b, c / bc }'
done <"$work/medians"
small=$(cut -d' ' -f2 "$work/small.times" | median)
awk -v k="$small" -v r=$((rows / 100)) \
  'BEGIN { printf "velastro-cli peak memory at %d rows: %.1f MB\n", r, k / 1024 }'
echo "medians of $rounds interleaved rounds, $rows rows"
