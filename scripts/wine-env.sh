# Sourced by the scripts that run the Windows build: a fresh Wine prefix for this run, and an X
# display (a private Xvfb when there is none). wine_env_start sets it up, wine_env_stop ends it.

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
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velastro-wine.XXXXXX")
  export WINEPREFIX
  # One server for the whole run, so each test program starts in a fraction of a second.
  wineserver -p
  wineboot -i >/dev/null 2>&1
  # Wine's own TrueType fonts (Marlett draws the caption buttons) reach it only from here.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wine regedit /S "$(winepath -w "$PWD/scripts/wine-settings.reg")" >/dev/null 2>&1
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
