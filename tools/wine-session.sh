# Sourced by the test and demo commands: a Wine session of our own for one run, with a fresh
# prefix, its own Xvfb display and one persistent wineserver.
#   wine_session_start PREFIX_FOLDER
#   wine_session_stop            (also run on exit)

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

wine_session_start() {
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

  # A person's own X display serves when asked for; otherwise a virtual one of our own.
  if [ -n "${STARTDECK_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    trap wine_session_stop EXIT
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1 || true
    return
  fi
  local n
  for n in $(seq 91 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  STARTDECK_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  trap wine_session_stop EXIT

  # The first Wine process starts services that keep its output open while the server lives: give
  # them no output to hold. Then one persistent server for the whole run.
  wineboot -i </dev/null >/dev/null 2>&1 || true
  # Without a window manager, Wine waits for one whenever a managed window closes; unmanaged
  # windows (drawn by Wine itself, as on Windows) close at once.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
}
