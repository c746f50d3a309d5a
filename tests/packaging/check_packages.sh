#!/usr/bin/env bash
# Checks what scripts/package.sh made in dist/: the checksums, the zips' contents, the .deb's
# records, contents, lintian's verdict and its unpacked program; then, under Wine in a fresh
# prefix, the setup program of each runnable build: a silent install, its files, shortcut and
# uninstall key, the installed Velastro.exe end to end, and a silent uninstall that leaves the
# prefix's files and registry as they were. Needs the runnable build's velastro-remote.exe.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
version=$(sed -n 's/^project(Velastro VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
deb=velastro-cli_$version-1_$(dpkg --print-architecture).deb
failures=0
work=$(mktemp -d)
trap 'wine_env_stop; rm -rf "$work"' EXIT

fail() {
  echo "check-packages: FAILED: $*"
  failures=$((failures + 1))
}

# expect NAME EXPECTED ACTUAL
expect() {
  [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

check_dist() {
  local sums zip
  sums=$(cd dist && sha256sum --quiet -c SHA256SUMS 2>&1) || fail "SHA256SUMS: $sums"
  expect "files in SHA256SUMS" "Velastro-$version-win32-setup.exe Velastro-$version-win32.zip \
Velastro-$version-win64-setup.exe Velastro-$version-win64.zip $deb velastro-web-$version.zip" \
    "$(awk '{print $2}' dist/SHA256SUMS | LC_ALL=C sort | paste -sd' ')"
  for bits in 32 64; do
    zip=Velastro-$version-win$bits
    expect "$zip.zip" "$zip/ $zip/LICENSE.txt $zip/README.txt $zip/Velastro.exe $zip/velastro-cli.exe" \
      "$(unzip -Z1 "dist/$zip.zip" | LC_ALL=C sort | paste -sd' ')"
  done
  # 32-bit Windows refuses a 64-bit program before any of it runs.
  file -b "dist/Velastro-$version-win32-setup.exe" | grep -q '^PE32 executable (GUI) Intel 80386' ||
    fail "the win32 setup is not a 32-bit program"
  file -b "dist/Velastro-$version-win64-setup.exe" | grep -q '^PE32+ executable (GUI) x86-64' ||
    fail "the win64 setup is not a 64-bit program"
}

# The page's zip: its files in one folder, the version on the page, and every file in the list
# the service worker keeps for offline use (a file missing there would fail only offline).
check_web() {
  local zip=velastro-web-$version dir=$work/web files listed
  unzip -q "dist/$zip.zip" -d "$work" || fail "$zip.zip does not unpack"
  mv "$work/$zip" "$dir"
  files=$(cd "$dir" && ls | LC_ALL=C sort | paste -sd' ')
  expect "$zip.zip" "app.js favicon.ico icon.svg index.html manifest.webmanifest style.css sw.js \
velastro-core.mjs velastro-core.wasm velastro.js worker.js" "$files"
  grep -q "Velastro $version " "$dir/index.html" || fail "$zip: index.html does not name $version"
  listed=$(grep -o '"[^"]*"' <<<"$(sed -n 's/^const kFiles = //p' "$dir/sw.js")" | tr -d '"' |
    grep -v '^\./$' | LC_ALL=C sort | paste -sd' ')
  expect "$zip: the files sw.js keeps" "${files/ sw.js/}" "$listed"
}

check_deb() {
  local info cli
  info=$(dpkg-deb --info "dist/$deb")
  for field in "Package: velastro-cli" "Version: $version-1" "Architecture: $(dpkg --print-architecture)" \
    "Depends: .*libc6 (>= [0-9.]*)" "Depends: .*libstdc++6 (>= [0-9.]*)" "Section: utils"; do
    grep -q "^ $field" <<<"$info" || fail "$deb: no field '$field' in: $info"
  done
  expect "$deb contents" "-rwxr-xr-x root/root ./usr/bin/velastro-cli
-rw-r--r-- root/root ./usr/share/doc/velastro-cli/changelog.Debian.gz
-rw-r--r-- root/root ./usr/share/doc/velastro-cli/copyright
-rw-r--r-- root/root ./usr/share/man/man1/velastro-cli.1.gz" \
    "$(dpkg-deb --contents "dist/$deb" | awk '$1 !~ /^d/ {print $1, $2, $6}')"
  lintian --fail-on error --display-level '>=warning' "dist/$deb" || fail "lintian reports errors"
  dpkg-deb -x "dist/$deb" "$work/deb"
  cli=$work/deb/usr/bin/velastro-cli
  expect "velastro-cli estimate oval 6 4 3" 0.487500 "$("$cli" estimate oval 6 4 3)"
  expect "velastro-cli --version" "velastro-cli $version" "$("$cli" --version)"
  for subcommand in eval shapes estimate; do
    zcat "$work/deb/usr/share/man/man1/velastro-cli.1.gz" | grep -q "^\.SS \"velastro-cli $subcommand " ||
      fail "the manual has no section on velastro-cli $subcommand"
  done
}

# The prefix as an uninstall must leave it: every file under drive_c and every registry value
# (the 64-bit regedit sees the 32-bit programs' keys too).
snapshot() {
  "$WINE_ENV_LOADER64" regedit /E "Z:${1//\//\\}.reg" >/dev/null 2>&1
  # Left out: Wine's volatile keys of the running session, the display's driver once the desktop
  # starts and what a program set for the session only (the test driver's mouse).
  iconv -f UTF-16LE -t UTF-8 "$1.reg" | tr -d '\r' |
    awk '/^\[/ {skip = /\\Control\\Video\\|\\Wine\\Temporary System Parameters/} !skip && NF' \
      >"$1.registry"
  (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort) >"$1.files"
}

# The uninstaller starts a copy of itself from %TEMP% and returns at once; this waits for the copy.
wait_uninstalled() {
  for _ in $(seq 300); do
    [ ! -e "$1" ] && ! pgrep -f 'Temp\\~nsu' >/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# uninstall LOADER WINDIR: a silent uninstall, then a restart, at which Windows deletes the files
# the uninstaller scheduled for it (its own copy in %TEMP%).
uninstall() {
  local dir
  dir=$("$1" winepath.exe -u "$2" | tr -d '\r')
  "$1" "$dir/uninstall.exe" /S || fail "$2\\uninstall.exe /S exited with status $?"
  wait_uninstalled "$dir" || fail "$2 still there 60 s after the uninstaller started"
  "$1" wineboot -r >/dev/null 2>&1
}

# check_key LOADER WINDIR BITS: the Add/Remove Programs entry of an installation in WINDIR.
check_key() {
  local values size
  values=$("$1" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velastro' |
    tr -d '\r' | sed -n 's/^    \([A-Za-z]*\)    REG_[A-Z]*    /\1=/p')
  for value in "DisplayName=Velastro ($3-bit)" "DisplayVersion=$version" "Publisher=Velastro" \
    "DisplayIcon=$2\\Velastro.exe,0" "InstallLocation=$2" "UninstallString=\"$2\\uninstall.exe\"" \
    "QuietUninstallString=\"$2\\uninstall.exe\" /S"; do
    grep -qxF "$value" <<<"$values" || fail "uninstall key: no $value in: $values"
  done
  size=$(($(sed -n 's/^EstimatedSize=//p' <<<"$values")))
  expect "uninstall key: EstimatedSize in KiB" \
    $(($(cat "$("$1" winepath.exe -u "$2" | tr -d '\r')"/* | wc -c) / 1024)) "$size"
}

# check_setup BITS LOADER TREE PROGRAM_FILES: installs, checks and uninstalls one build's setup.
check_setup() {
  local bits=$1 loader=$2 tree=$3 setup=dist/Velastro-$version-win$1-setup.exe
  local windir="C:\\$4\\Velastro" dir="$WINEPREFIX/drive_c/$4/Velastro" custom="C:\\Velastro $version"
  local lnk="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velastro ($1-bit).lnk"
  echo "== the $bits-bit setup under Wine: install, run, uninstall"
  VELASTRO_ARCH=$bits bash scripts/build-windows.sh velastro-remote >/dev/null
  snapshot "$work/before"
  "$loader" "$setup" /S || fail "$setup /S exited with status $?"
  expect "files in $windir" "LICENSE.txt README.txt Velastro.exe uninstall.exe velastro-cli.exe" \
    "$(ls "$dir" | LC_ALL=C sort | paste -sd' ')"
  cmp -s "$dir/Velastro.exe" "$tree/app/Velastro.exe" || fail "$windir\\Velastro.exe is not the build's"
  grep -qaF "$windir\\Velastro.exe" "$lnk" 2>/dev/null ||
    fail "no Start-menu shortcut to $windir\\Velastro.exe: $lnk"
  check_key "$loader" "$windir" "$bits"
  expect "installed velastro-cli estimate oval 6 4 3" 0.487500 \
    "$("$loader" "$dir/velastro-cli.exe" estimate oval 6 4 3 | tr -d '\r')"
  bash tests/e2e/end_to_end.sh "$loader" "$dir/Velastro.exe" "$tree/tests/e2e/velastro-remote.exe" \
    "$work/screenshots-$bits" || fail "the installed $windir\\Velastro.exe end to end"
  uninstall "$loader" "$windir"
  # /D= picks the folder. NSIS reads it unquoted to the end of the command line, and Wine would
  # quote an argument with a space, so the name goes in as two.
  "$loader" "$setup" /S "/D=${custom% *}" "${custom##* }" ||
    fail "$setup /S /D=$custom exited with status $?"
  check_key "$loader" "$custom" "$bits"
  uninstall "$loader" "$custom"
  snapshot "$work/after"
  diff "$work/before.files" "$work/after.files" || fail "files under drive_c changed, above"
  diff "$work/before.registry" "$work/after.registry" || fail "the registry changed, above"
}

check_dist
check_web
check_deb
wine_env_choose
wine_env_start
# No desktop entries in this machine's home for the shortcuts the setup makes.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
# The 64-bit setup runs everywhere; the 32-bit one where 32-bit programs run, as in the suites.
if [ "$VELASTRO_BITS" = 32 ]; then
  wine_env_tree 32
  check_setup 32 "$VELASTRO_WINE_LOADER" "$VELASTRO_TREE" "Program Files (x86)"
fi
wine_env_tree 64
check_setup 64 "$VELASTRO_WINE_LOADER" "$VELASTRO_TREE" "Program Files"
wine_env_stop
echo "check-packages: $failures failed"
[ "$failures" -eq 0 ]
