#!/bin/sh
# Builds the operator's guide: runs each walkthrough scenario under the
# offscreen platform for its pictures, once with the windows as written and
# once in Georgian (OUT_DIR/pictures/SCENARIO, OUT_DIR/pictures/ka/SCENARIO),
# then turns every page of docs/guide, docs/guide/ka and docs/ into HTML
# beside them (guide-pages.sh) and checks the result.
#   make-guide.sh SOURCE_DIR BUILD_DIR OUT_DIR SCENARIO...
set -eu
src=$1 build=$2 out=$3
shift 3
command -v cmark-gfm >/dev/null || { echo "make-guide: cmark-gfm is missing (make deps installs it)" >&2; exit 1; }
mkdir -p "$out/pictures/ka" "$out/logs"
# A depot's screen, 1920 x 1080, so that windows sized to their screen are
# pictured as an operator sees them (the offscreen default is 800 x 600).
screen=$out/logs/screen.json
printf '{"screens":[{"name":"depot","x":0,"y":0,"width":1920,"height":1080,"logicalDpiX":96,"logicalDpiY":96,"dpr":1}]}\n' > "$screen"

walk() { # walk SCENARIO PICTURES LOG [--language ka]
  scenario=$1 pictures=$2 log=$3
  shift 3
  rm -rf "$pictures"
  if ! QT_QPA_PLATFORM="offscreen:configfile=$screen" "$build/vexel-walkthrough" "$@" "$scenario" "$pictures" > "$log" 2>&1; then
    echo "make-guide: scenario $scenario failed; see $log" >&2
    exit 1
  fi
}
# The pages first, so that the guide's own window has them to show.
sh "$src/tools/walkthrough/guide-pages.sh" "$src" "$out"
for scenario in "$@"; do
  echo "guide: scenario $scenario"
  walk "$scenario" "$out/pictures/$scenario" "$out/logs/$scenario.log"
  walk "$scenario" "$out/pictures/ka/$scenario" "$out/logs/ka-$scenario.log" --language ka
done
# The README's two pictures live in the tree so that it shows them; they
# are refreshed here, never drawn by hand.
cp "$out/pictures/layout/01-window.png" "$src/docs/pictures/editor.png"
cp "$out/pictures/day/day-05-front.png" "$src/docs/pictures/sign-front.png"

sh "$src/tools/walkthrough/guide-pages.sh" "$src" "$out"
"$src/tests/support/guide-check.sh" "$src" "$out"
echo "guide: $out/index.html, in Georgian $out/ka/index.html"
