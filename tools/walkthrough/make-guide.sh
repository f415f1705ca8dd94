#!/bin/sh
# Builds the operator's guide: runs each walkthrough scenario under the
# offscreen platform for its pictures, then turns every page of docs/guide
# and docs/ into HTML beside them.
#   make-guide.sh SOURCE_DIR BUILD_DIR OUT_DIR SCENARIO...
set -eu
src=$1 build=$2 out=$3
shift 3
converter=$(command -v cmark-gfm || true)
[ -n "$converter" ] || { echo "make-guide: cmark-gfm is missing (make deps installs it)" >&2; exit 1; }
mkdir -p "$out/pictures" "$out/logs"
for scenario in "$@"; do
  rm -rf "$out/pictures/$scenario"
  echo "guide: scenario $scenario"
  if ! QT_QPA_PLATFORM=offscreen "$build/vexel-walkthrough" "$scenario" "$out/pictures/$scenario" \
       > "$out/logs/$scenario.log" 2>&1; then
    echo "make-guide: scenario $scenario failed; see $out/logs/$scenario.log" >&2
    exit 1
  fi
done
# The README's two pictures live in the tree so that it shows them; they
# are refreshed here, never drawn by hand.
cp "$out/pictures/layout/01-window.png" "$src/docs/pictures/editor.png"
cp "$out/pictures/day/day-05-front.png" "$src/docs/pictures/sign-front.png"

page() { # page MARKDOWN HTML
  title=$(sed -n 's/^# //p;/^# /q' "$1")
  {
    printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
    printf '<title>%s</title>\n' "$title"
    printf '<style>body{max-width:60em;margin:auto;padding:1em;font-family:sans-serif}'
    printf 'img{max-width:100%%}table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:2px 6px}'
    printf 'pre{background:#f4f4f4;padding:6px;overflow:auto}</style>\n</head>\n<body>\n'
    # Links between pages name the Markdown; the HTML pages lie in one folder.
    "$converter" -e table "$1" | sed -e 's#href="\.\./\([^"]*\)\.md#href="\1.html#g' \
      -e 's#href="guide/\([^"]*\)\.md#href="\1.html#g' -e 's#href="\([^":]*\)\.md#href="\1.html#g'
    printf '</body>\n</html>\n'
  } > "$2"
}
for md in "$src"/docs/guide/*.md "$src"/docs/*.md; do
  page "$md" "$out/$(basename "$md" .md).html"
done
"$src/tests/support/guide-check.sh" "$src" "$out"
echo "guide: $out/index.html"
