#!/usr/bin/env bash
# Saves a PNG screenshot of the desktop window, run under a virtual X server
# (Xvfb, 1024 x 768 unless FLYBACK_SCREEN names another size such as
# 1840x1000x24), with the question dialog that follows a given list of answers
# open over the page it belongs to.
#
# Usage: scripts/screenshot.sh [ANSWERS [OUTPUT.png [OPTION...]]]
#   ANSWERS  answer file, one line per question as 'flyback --script' reads
#            it (an empty line presses Return on the default). The screenshot
#            shows the question after the last answer. Default: Return at the
#            first 23 questions, which shows the result screen of the
#            demonstration design with its question "Show number of turns and
#            voltages?".
#   OUTPUT   the PNG file; default flyback-window.png
#   OPTION   options of flyback-gui, e.g. --overview (the design overview
#            beside the window)
# FLYBACK_BUILD_DIR names the build folder (default build); flyback-gui is
# built there if it is missing.
set -euo pipefail
command -v xvfb-run >/dev/null ||
  { echo "screenshot.sh: needs xvfb-run and xauth (scripts/setup.sh installs them)" >&2; exit 1; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FLYBACK_BUILD_DIR:-$root/build}
output=$(realpath -m "${2:-flyback-window.png}")
options=("${@:3}")

# The run keeps its session files in a folder of its own, not among the
# user's (where it would push the last session aside).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
answers=${1:-}
if [ -z "$answers" ]; then
  answers=$work/answers.txt
  printf '\n%.0s' $(seq 23) >"$answers"
fi
answers=$(realpath "$answers")

gui="$build/frontends/qt/flyback-gui"
if [ ! -x "$gui" ]; then
  FLYBACK_BUILD_DIR="$build" "$root/scripts/configure.sh" >/dev/null
  cmake --build "$build" -j2 --target flyback-gui >/dev/null
fi

rm -f "$output"
FLYBACK_GUI_ANSWERS="$answers" FLYBACK_GUI_SCREENSHOT="$output" QT_QPA_PLATFORM=xcb \
  XDG_STATE_HOME="$work" \
  xvfb-run -a -s "-screen 0 ${FLYBACK_SCREEN:-1024x768x24}" "$gui" ${options[@]+"${options[@]}"}
[ -s "$output" ] || { echo "screenshot.sh: no screenshot was saved" >&2; exit 1; }
echo "$output"
