#!/usr/bin/env bash
# Checks that each given file is a 32-bit Windows program that needs no DLL beyond Windows' own.
set -euo pipefail
system_dlls='^(kernel32|user32|gdi32|comdlg32|comctl32|msvcrt|advapi32|shell32|ole32)\.dll$'
status=0
for exe in "$@"; do
  kind=$(file -b "$exe")
  case "$kind" in
    "PE32 executable (GUI) Intel 80386"* | "PE32 executable (console) Intel 80386"*) ;;
    *) echo "$exe: not a 32-bit Windows program: $kind"; status=1 ;;
  esac
  dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
  foreign=$(echo "$dlls" | grep -viE "$system_dlls" || true)
  if [ -n "$foreign" ]; then
    echo "$exe: needs DLLs that Windows does not bring: $foreign"
    status=1
  fi
  echo "$exe: $kind; DLLs: $(echo $dlls)"
done
exit $status
