#!/usr/bin/env bash
# Starts the editor built in BUILD (default build). The first run writes a
# Lumaro.ini beside the executable that opens a sample sign, so a newcomer
# sees a board rather than a file dialog. Without a display the editor runs
# under Xvfb: a screenshot goes to BUILD/screenshot.png and the script exits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
exe="$build/vexel-image"
ini="$build/Lumaro.ini"

if [ ! -e "$ini" ]; then
  printf '[Settings]\nData_Filename_Path=%s/examples/\nData_Filename=airport12.img\nGrid=1\n' "$root" > "$ini"
  echo "Wrote $ini: the editor opens examples/airport12.img"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$exe"
fi

shot="$build/screenshot.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 1280x960x24" bash -c '
  "$1" & editor=$!
  sleep "${VEXEL_SHOT_DELAY:-3}"
  "$2" "$3" || true
  kill "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
' run-editor "$exe" "$build/vexel-screenshot" "$shot"
if [ -s "$shot" ]; then
  echo "No display here: the editor ran under Xvfb; its screenshot is $shot"
else
  echo "No display here, and the screenshot under Xvfb failed" >&2
  exit 1
fi
