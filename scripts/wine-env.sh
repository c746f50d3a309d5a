# Sourced by the scripts that run the Windows builds: which build this machine can run, a fresh
# Wine prefix for this run, and an X display (a private Xvfb when there is none).
# wine_env_choose picks the build, wine_env_start sets up Wine for it, wine_env_stop ends it.

WINE_ENV_LOADER32=/usr/lib/wine/wine
WINE_ENV_LOADER64=/usr/lib/wine/wine64

# True when this kernel runs 32-bit programs: the 32-bit loader itself is one.
wine_env_runs_32bit() {
  "$WINE_ENV_LOADER32" --version >/dev/null 2>&1
}

# Sets VELASTRO_BITS (32 or 64), VELASTRO_TREE and VELASTRO_WINE_LOADER. The 32-bit build runs
# where the kernel executes the 32-bit loader; the `wine` wrapper cannot tell, as it picks that
# loader whenever the file exists. VELASTRO_WINE=64 forces the 64-bit build anywhere.
wine_env_choose() {
  case "${VELASTRO_WINE:-auto}" in
    auto)
      if wine_env_runs_32bit; then VELASTRO_BITS=32; else VELASTRO_BITS=64; fi
      ;;
    32 | 64) VELASTRO_BITS=$VELASTRO_WINE ;;
    *)
      echo "wine-env: VELASTRO_WINE must be auto, 32 or 64, not '$VELASTRO_WINE'" >&2
      return 2
      ;;
  esac
  wine_env_tree "$VELASTRO_BITS"
  export VELASTRO_BITS VELASTRO_TREE VELASTRO_WINE_LOADER
}

# wine_env_tree 32|64: sets VELASTRO_TREE, the build's tree, and VELASTRO_WINE_LOADER, the Wine
# loader that runs its programs.
wine_env_tree() {
  case "$1" in
    32) VELASTRO_TREE=build-mingw VELASTRO_WINE_LOADER=$WINE_ENV_LOADER32 ;;
    64) VELASTRO_TREE=build-mingw64 VELASTRO_WINE_LOADER=$WINE_ENV_LOADER64 ;;
    *)
      echo "wine-env: the build must be 32 or 64, not '$1'" >&2
      return 2
      ;;
  esac
}

wine_env_start() {
  export WINEDEBUG=-all
  # Gecko and Mono are never needed; without this, creating the prefix may ask to install them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # A 64-bit prefix runs both builds: 32-bit programs through the 32-bit loader where it runs.
  export WINEARCH=win64
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velastro-wine.XXXXXX")
  export WINEPREFIX
  wineserver -p
  "$WINE_ENV_LOADER64" wineboot -i >/dev/null 2>&1
  # Wine's own TrueType fonts (Marlett draws the caption buttons) reach it only from here.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  "$WINE_ENV_LOADER64" regedit /S "Z:${PWD//\//\\}\\scripts\\wine-settings.reg" >/dev/null 2>&1
  # The services started while the prefix was made never start RpcSs, so every new desktop
  # process waited 10 s for it; a restart boots them from the finished registry.
  wineserver -k
  wineserver -w
  # One server for the whole run, so each test program starts in a fraction of a second.
  wineserver -p
  "$WINE_ENV_LOADER64" wineboot >/dev/null 2>&1
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    unset DISPLAY
  fi
  WINE_ENV_XVFB_PID=""
  unset WINEPREFIX
}
