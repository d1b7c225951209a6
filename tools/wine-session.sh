# Sourced by the test and demo commands: a Wine session of our own for one run, with a fresh
# prefix, its own Xvfb display and one persistent wineserver.
#   wine_session_start PREFIX_FOLDER [DPI]
#   wine_session_stop            (also run on exit)
# The DPI (Wine's 96 when not given) is the display scale the session's programs are told: Wine
# reads it when its server starts. wine_prefix_start PREFIX_FOLDER [DPI] makes the prefix and its
# server alone, for the display already set (a second prefix beside a session's). The virtual
# display is 1280x1024 unless STARTDECK_SCREEN says otherwise (WIDTHxHEIGHTxDEPTH).

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "${STARTDECK_XVFB_PID:-}" ]; then
    kill "$STARTDECK_XVFB_PID" >/dev/null 2>&1 || true
    wait "$STARTDECK_XVFB_PID" 2>/dev/null || true
    STARTDECK_XVFB_PID=""
  fi
}

# A fresh prefix and one persistent wineserver for it. A third argument "managed" leaves the
# windows to the display's window manager.
wine_prefix_start() {
  export WINEPREFIX="$1"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko installers: they would ask, and nothing here needs them.
  export WINEDLLOVERRIDES="mscoree=;mshtml="

  # A fresh prefix for every run; the old server must be gone before its prefix is.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"

  # The first Wine process starts services that keep its output open while the server lives: give
  # them no output to hold. Then one persistent server for the whole run.
  wineboot -i </dev/null >/dev/null 2>&1 || true
  if [ "${3:-}" != managed ]; then
    # Without a window manager, Wine waits for one whenever a managed window closes; unmanaged
    # windows (drawn by Wine itself, as on Windows) close at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "${2:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f </dev/null >/dev/null 2>&1 ||
      return 1
  fi
  # The server that ends here saves the registry; the next one reads the DPI from it.
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
}

wine_session_start() {
  # A person's own X display serves when asked for; otherwise a virtual one of our own.
  if [ -n "${STARTDECK_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    trap wine_session_stop EXIT
    wine_prefix_start "$1" "${2:-}" managed
    return
  fi
  local n
  for n in $(seq 91 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 "${STARTDECK_SCREEN:-1280x1024x24}" -nolisten tcp </dev/null >/dev/null 2>&1 &
  STARTDECK_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  trap wine_session_stop EXIT
  wine_prefix_start "$1" "${2:-}"
}
