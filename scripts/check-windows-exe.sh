#!/usr/bin/env bash
# Checks Windows programs of one build: each is a PE file of the build's bitness and of its own
# subsystem (velastro-cli a console program, the others GUI programs), needs no DLL beyond
# Windows' own and carries a version record, and a GUI program a manifest naming the build's
# processor architecture.
# Usage: check-windows-exe.sh 32|64 PROGRAM.exe...
set -euo pipefail
bits=${1:?usage: check-windows-exe.sh 32|64 PROGRAM.exe...}
shift
case "$bits" in
  32) pe="PE32 executable" machine="Intel 80386" arch=x86 objdump=i686-w64-mingw32-objdump ;;
  64) pe="PE32+ executable" machine="x86-64" arch=amd64 objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "check-windows-exe: bitness must be 32 or 64, not '$bits'" >&2; exit 2 ;;
esac
system_dlls='^(kernel32|user32|gdi32|comdlg32|comctl32|msvcrt|advapi32|shell32|ole32)\.dll$'
status=0
fail() {
  echo "$exe: $*"
  status=1
}

# The version record's fixed part follows its signature 0xFEEF04BD: file version MS, LS.
file_version() {
  local words
  words=($(wrestool -x --raw --type=16 "$1" | od -An -v -tx4 -w4 |
    awk '$1 == "feef04bd" {getline; getline; print; getline; print; exit}'))
  [ ${#words[@]} -eq 2 ] || return 0
  echo "$((16#${words[0]:0:4})).$((16#${words[0]:4:4})).$((16#${words[1]:0:4})).$((16#${words[1]:4:4}))"
}

check_manifest() {
  local archs
  archs=$(wrestool -x --raw --type=24 --name=1 "$exe" | grep -o 'processorArchitecture="[^"]*"' |
    sort -u | tr '\n' ' ')
  [ "$archs" = "processorArchitecture=\"$arch\" " ] ||
    fail "manifest must name processorArchitecture \"$arch\" throughout, names: ${archs:-nothing}"
  echo "$exe: manifest names $archs"
}

check_version() {
  local version
  version=$(file_version "$exe")
  [ -n "$version" ] || fail "no version record"
  echo "$exe: version $version"
}

for exe in "$@"; do
  subsystem=GUI
  case "$(basename "$exe")" in velastro-cli*) subsystem=console ;; esac
  kind=$(file -b "$exe")
  case "$kind" in
    "$pe ($subsystem) $machine"*) ;;
    *) fail "not a $bits-bit Windows $subsystem program: $kind" ;;
  esac
  dlls=$($objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
  foreign=$(echo "$dlls" | grep -viE "$system_dlls" || true)
  [ -z "$foreign" ] || fail "needs DLLs that Windows does not bring: $foreign"
  echo "$exe: $kind; DLLs: $(echo $dlls)"
  check_version
  [ "$subsystem" = console ] || check_manifest
done
exit $status
