#!/usr/bin/env bash
# The window titles as the window system reads them, on a real X server: the
# main window's caption exactly as the program sets it, before and after a
# report is opened, and a dialog under its own title, with nothing appended.
# And a window that starts without reading a picture file: no image-format
# plugin is loaded until a dialog needs one.
#   window_titles.sh <welkor-lumo> <report.rap>
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -u
exe=$1
report=$2
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A free display of its own: Xvfb writes the number it took.
# -noreset: the server would otherwise reset when the first program quits,
# its last client, and refuse the next program while it does.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
cp "$report" "$work/pomiar.rap"

failures=0
expect() { # expect <what> <actual> <wanted>
  if [ "$2" == "$3" ]; then
    echo "ok: $1: \"$2\""
  else
    echo "FAIL: $1: \"$2\", wanted \"$3\""
    failures=$((failures + 1))
  fi
}

start() { # start [report]: runs the program and sets win to its main window
  (cd "$work" && QT_QPA_PLATFORM=xcb exec "$exe" "$@") >>"$work/program.log" 2>&1 &
  program_pid=$!
  # Polled rather than one "search --sync": a search that walks the tree while
  # the previous program's windows are being destroyed can die of BadWindow.
  win=""
  for _ in $(seq 1 600); do
    win=$(xdotool search --all --onlyvisible --pid "$program_pid" --name 'Welkor' 2>/dev/null | head -n 1)
    [ -n "$win" ] && return
    kill -0 "$program_pid" 2>/dev/null || return
    sleep 0.1
  done
}

stop() {
  kill "$program_pid" 2>/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=""
}

# Before a report: the caption alone. Then the open dialog under its title.
start
[ -n "$win" ] || { echo "FAIL: no window appeared"; cat "$work/program.log"; exit 1; }
expect "main window before a report" "$(xdotool getwindowname "$win")" "Welkor Lumo 1"
expect "image-format plugins loaded by the shown window" \
  "$(grep -c '/imageformats/' "/proc/$program_pid/maps")" "0"
# Qt's print and serial port support come with the program's modules when
# first needed, not with the window.
expect "print and serial port libraries loaded by the shown window" \
  "$(grep -c -e 'libQt6PrintSupport' -e 'libQt6SerialPort' -e '/welkor-lumo-' "/proc/$program_pid/maps")" "0"
# Ctrl+O once the window takes keys (it may still be settling when mapped).
dialog=""
for _ in $(seq 1 30); do
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers ctrl+o
  for _ in $(seq 1 20); do
    dialog=$(xdotool search --all --onlyvisible --pid "$program_pid" --name 'Otwieranie' 2>/dev/null | head -n 1)
    [ -n "$dialog" ] && break 2
    sleep 0.1
  done
done
if [ -n "$dialog" ]; then
  expect "open dialog" "$(xdotool getwindowname "$dialog")" "Otwieranie wyników"
else
  echo "FAIL: the open dialog did not come up"
  failures=$((failures + 1))
fi
stop

# A report named on the command line: the caption, " - " and the path.
start "$work/pomiar.rap"
[ -n "$win" ] || { echo "FAIL: no window appeared"; cat "$work/program.log"; exit 1; }
# The report is loaded once the window is shown: give the title time to change.
wanted="Welkor Lumo 1 - $work/pomiar.rap"
for _ in $(seq 1 100); do
  title=$(xdotool getwindowname "$win")
  [ "$title" != "Welkor Lumo 1" ] && break
  sleep 0.1
done
expect "main window with a report" "$title" "$wanted"
stop

[ "$failures" -eq 0 ]
