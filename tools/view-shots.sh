# Sourced by tools/compare-views.sh and tools/compare-scales.sh: the screenshots of every view of
# one build's window, taken by ViewShots in a demo installation in a fresh Wine session.
#   shoot_views BUILD VIEWSHOTS_EXE OUTPUT_FOLDER [DPI [OPTIONS...]]
# OPTIONS go to ViewShots: --windows (the pictures hold only the area of the program's windows, not
# the whole screen), --cues (each view again with Tab pressed once), --contrast (high contrast).
# The prefix is made beside OUTPUT_FOLDER and removed afterwards. Needs tools/wine-session.sh.

# The Windows name of a Linux path, through Wine's Z: drive (no Wine needed).
windows_path() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

shoot_views() {
  local build=$1 shots=$2 output=$3 dpi=${4:-}
  local options=("${@:5}")
  rm -rf "$output"
  mkdir -p "$output"
  wine_session_start "$output-prefix" "$dpi"
  # A caret that does not blink, so that a field with the focus looks the same at every moment.
  wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f </dev/null >/dev/null 2>&1
  wine "$build/bin/DemoInstall.exe" 'C:\VANTO' </dev/null >/dev/null
  echo "== views of $build${dpi:+ at $dpi DPI}"
  local status=0
  wine "$shots" 'C:\VANTO\Startdeck.exe' "VANTO Translator Home" "$(windows_path "$output")" "${options[@]}" </dev/null ||
    status=$?
  wine_session_stop
  rm -rf "$output-prefix"
  return $status
}

# Runs ViewShots with ARGUMENTS... (its comparing modes, which need no window of the program) in a
# short session of its own made in FOLDER-prefix.
view_shots_tool() {
  local folder=$1 shots=$2
  shift 2
  wine_session_start "$folder-prefix"
  local status=0
  wine "$shots" "$@" </dev/null || status=$?
  wine_session_stop
  rm -rf "$folder-prefix"
  return $status
}
