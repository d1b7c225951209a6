# Sourced by the test and demo commands: a Wine session of our own for one run, with a fresh
# prefix, its own Xvfb display and one persistent wineserver.
#   wine_session_start PREFIX_FOLDER [DPI]
#   wine_session_stop            (also run on exit; stops every session this shell started)
# The DPI (Wine's 96 when not given) is the display scale the session's programs are told: Wine
# reads it when its server starts. wine_prefix_start PREFIX_FOLDER [DPI] makes the prefix and its
# server alone, for the display already set (a second prefix beside a session's). The virtual
# display is 1280x1024 unless STARTDECK_SCREEN says otherwise (WIDTHxHEIGHTxDEPTH).
# wine_test_sessions_start PREFIX_FOLDER COUNT starts COUNT sessions side by side for one CTest run
# (below).

# The Xvfb servers and the prefixes whose wineservers this shell started.
STARTDECK_XVFB_PIDS=()
STARTDECK_WINE_PREFIXES=()

wine_session_stop() {
  local prefix pid
  for prefix in "${STARTDECK_WINE_PREFIXES[@]}" ${WINEPREFIX:+"$WINEPREFIX"}; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  done
  STARTDECK_WINE_PREFIXES=()
  for pid in "${STARTDECK_XVFB_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
  STARTDECK_XVFB_PIDS=()
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
  STARTDECK_WINE_PREFIXES+=("$WINEPREFIX")

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

# A virtual display of our own: Xvfb takes the first free display number itself (so two sessions
# started at the same moment never share one) and writes it down once it takes connections.
wine_display_start() {
  local number
  number=$(mktemp) || return 1
  Xvfb -displayfd 3 -screen 0 "${STARTDECK_SCREEN:-1280x1024x24}" -nolisten tcp \
    </dev/null >/dev/null 2>&1 3>"$number" &
  STARTDECK_XVFB_PIDS+=($!)
  local pid=$! i
  for i in $(seq 1 200); do
    [ -s "$number" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$number" ]; then
    echo "wine-session: Xvfb did not start" >&2
    rm -f "$number"
    return 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$number")"
  rm -f "$number"
}

wine_session_start() {
  # A person's own X display serves when asked for; otherwise a virtual one of our own.
  if [ -n "${STARTDECK_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    trap wine_session_stop EXIT
    wine_prefix_start "$1" "${2:-}" managed
    return
  fi
  trap wine_session_stop EXIT
  wine_display_start || return 1
  wine_prefix_start "$1" "${2:-}"
}

# COUNT sessions side by side for one CTest run: the first in PREFIX_FOLDER, the others in
# PREFIX_FOLDER-2, -3 ..., each on a display of its own. Their settings go to the folder
# PREFIX_FOLDER-sessions, exported as STARTDECK_SESSIONS: s1.env, s2.env ... (what tools/wine-run.sh
# reads to start a case in the session CTest gave it) and sessions.json, CTest's description of
# them (--resource-spec-file; cmake/Testing.cmake says how cases share a session). The shell is
# left in the first session, where CTest lists the cases of each test program.
wine_test_sessions_start() {
  # Four slots a session, as cmake/Testing.cmake shares them out.
  local first=$1 count=$2 slots=4 n prefix
  trap wine_session_stop EXIT
  export STARTDECK_SESSIONS="$first-sessions"
  rm -rf "$STARTDECK_SESSIONS"
  mkdir -p "$STARTDECK_SESSIONS"
  local ids=()
  # The later ones first, in subshells (their settings are written down, not kept here), so that
  # the first one's are this shell's at the end; the prefixes are made side by side.
  local pids=()
  for n in $(seq "$count" -1 1); do
    prefix=$first
    [ "$n" -eq 1 ] || prefix="$first-$n"
    if [ "$n" -gt 1 ]; then
      wine_display_start || return 1
      STARTDECK_WINE_PREFIXES+=("$prefix")
      (
        wine_prefix_start "$prefix" &&
          printf 'WINEPREFIX=%q\nDISPLAY=%q\nexport WINEPREFIX DISPLAY\n' "$WINEPREFIX" "$DISPLAY" \
            >"$STARTDECK_SESSIONS/s$n.env"
      ) &
      pids+=($!)
    else
      wine_session_start "$prefix" || return 1
      printf 'WINEPREFIX=%q\nDISPLAY=%q\nexport WINEPREFIX DISPLAY\n' "$WINEPREFIX" "$DISPLAY" \
        >"$STARTDECK_SESSIONS/s1.env"
    fi
    ids=("s$n" "${ids[@]}")
  done
  local pid
  for pid in "${pids[@]}"; do wait "$pid" || return 1; done
  local rows=() id
  for id in "${ids[@]}"; do rows+=("{\"id\": \"$id\", \"slots\": $slots}"); done
  local IFS=,
  echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"session\": [${rows[*]}]}]}" \
    >"$STARTDECK_SESSIONS/sessions.json"
}
