#!/usr/bin/env bash
# Checks Windows programs of one build: each is a PE file of the build's bitness and of its own
# subsystem (velastro-cli a console program, the others GUI programs), needs no DLL beyond
# Windows' own and carries a version record of the project version with its own names, and a GUI
# program a manifest that asks for the version 6 common controls on the build's processor.
# Usage: check-windows-exe.sh 32|64 PROGRAM.exe...
set -euo pipefail
bits=${1:?usage: check-windows-exe.sh 32|64 PROGRAM.exe...}
shift
case "$bits" in
  32) pe="PE32 executable" machine="Intel 80386" arch=x86 objdump=i686-w64-mingw32-objdump ;;
  64) pe="PE32+ executable" machine="x86-64" arch=amd64 objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "check-windows-exe: bitness must be 32 or 64, not '$bits'" >&2; exit 2 ;;
esac
# The version as CMake derived it for the tree that built the program: numbers and text.
read_version() {
  local dir header
  dir=$(dirname "$1")
  while [ ! -f "$dir/CMakeCache.txt" ] && [ "$dir" != / ] && [ "$dir" != . ]; do dir=$(dirname "$dir"); done
  header=$dir/generated/res/velastro_version.h
  numbers=$(sed -n 's/^#define VELASTRO_VERSION_NUMBERS //p' "$header" 2>/dev/null | tr , .)
  text=$(sed -n 's/^#define VELASTRO_VERSION_TEXT "\(.*\)"$/\1/p' "$header" 2>/dev/null)
  [ -n "$numbers" ] && [ -n "$text" ] || fail "no version that CMake derived in $header"
}
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
  local manifest archs
  manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
  grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest" ||
    fail "manifest does not ask for the version 6 common controls"
  archs=$(grep -o 'processorArchitecture="[^"]*"' <<<"$manifest" | tr '\n' ' ')
  [ "$archs" = "processorArchitecture=\"$arch\" processorArchitecture=\"$arch\" " ] ||
    fail "manifest must name processorArchitecture \"$arch\" for itself and its dependency: ${archs:-nothing}"
  echo "$exe: manifest names $archs"
}

# record_value KEY: the text after KEY in the version record's strings.
record_value() {
  wrestool -x --raw --type=16 "$exe" | strings -el -n 1 | sed -n "/^$1\$/{n;p;q}"
}

# check_version BLOCK DESCRIPTION INTERNAL-NAME ORIGINAL-NAME
check_version() {
  local key expected
  [ "$(file_version "$exe")" = "$numbers" ] ||
    fail "version record must hold $numbers, holds '$(file_version "$exe")'"
  wrestool -x --raw --type=16 "$exe" | strings -el -n 1 | grep -qx "$1" ||
    fail "version record has no string block $1"
  for key in FileDescription:"$2" InternalName:"$3" OriginalFilename:"$4" ProductName:Velastro \
    FileVersion:"$text" ProductVersion:"$text"; do
    expected=${key#*:}
    [ "$(record_value "${key%%:*}")" = "$expected" ] ||
      fail "version record: ${key%%:*} must be '$expected', is '$(record_value "${key%%:*}")'"
  done
  echo "$exe: version $numbers ($text)"
}

for exe in "$@"; do
  read_version "$exe"
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
  if [ "$subsystem" = console ]; then
    check_version 040904b0 "Velastro command-line tool" velastro-cli velastro-cli.exe
  else
    # The window keeps its own record: a German string block, "Parser" inside.
    check_version 040704b0 Velastro Parser Velastro.EXE
    check_manifest
  fi
done
exit $status
