#!/usr/bin/env bash
# Starts Velastro.exe under Wine and drives it from velastro-remote, a second Windows process.
# Uses the caller's DISPLAY, WINEPREFIX and WINEDEBUG; starts neither an X server nor a prefix.
# LOADER is the Wine loader for the programs' bitness (/usr/lib/wine/wine or wine64).
# Usage: end_to_end.sh LOADER VELASTRO_EXE REMOTE_EXE OUTDIR
set -u
if [ $# -ne 4 ]; then
  echo "usage: $0 LOADER VELASTRO_EXE REMOTE_EXE OUTDIR" >&2
  exit 2
fi
loader=$1
app=$2
remote=$3
app_pid=

fail() {
  echo "end-to-end: FAILED: $*" >&2
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid"; fi
  exit 1
}

[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set; run under an X server such as Xvfb"
[ -x "$loader" ] || fail "no Wine loader $loader"
mkdir -p "$4" || fail "cannot create $4"
outdir=$(cd "$4" && pwd)
rm -f "$outdir/velastro-main.png" "$outdir/velastro-about.png"
win_outdir=$("$loader" winepath.exe -w "$outdir" | tr -d '\r') || fail "winepath failed"

"$loader" "$app" &
app_pid=$!

# Console output from Wine ends lines with CR LF.
output=$(timeout 120 "$loader" "$remote" scenario "$win_outdir" | tr -d '\r'; exit "${PIPESTATUS[0]}")
remote_status=$?
echo "$output"
[ "$remote_status" -eq 0 ] || fail "velastro-remote exited with status $remote_status"
for line in "answer 0.487500" "about closed" "exited"; do
  grep -qxF "$line" <<<"$output" || fail "velastro-remote did not report \"$line\""
done

for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$app_pid" 2>/dev/null && fail "Velastro.exe still running 20 s after Exit"
wait "$app_pid"
app_status=$?
[ "$app_status" -eq 0 ] || fail "Velastro.exe exited with status $app_status"

for png in velastro-main.png velastro-about.png; do
  [ -s "$outdir/$png" ] || fail "no screenshot $outdir/$png"
  [ "$(head -c 8 "$outdir/$png" | od -An -tx1 | tr -d ' \n')" == "89504e470d0a1a0a" ] ||
    fail "$outdir/$png is not a PNG file"
done
echo "end-to-end: passed; screenshots in $outdir"
