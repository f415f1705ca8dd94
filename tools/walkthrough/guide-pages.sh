#!/bin/sh
# Turns the guide's Markdown into HTML pages in OUT_DIR: docs/guide/*.md and
# docs/*.md side by side in OUT_DIR, the Georgian chapters docs/guide/ka/*.md
# in OUT_DIR/ka. A picture path in the Markdown is taken from the guide's
# own folder, English or Georgian alike (pictures/SCENARIO/..., and
# pictures/ka/SCENARIO/... for the Georgian windows): make guide puts them
# in OUT_DIR/pictures.
#   guide-pages.sh SOURCE_DIR OUT_DIR
set -eu
src=$1 out=$2
converter=$(command -v cmark-gfm || true)
[ -n "$converter" ] || { echo "guide-pages: cmark-gfm is missing (make deps installs it)" >&2; exit 1; }
mkdir -p "$out/ka"

# The first heading, as the page's title: without the code marks, with
# what HTML reserves escaped.
title() {
  sed -n 's/^# //p;/^# /q' "$1" | sed -e 's/`//g' -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'
}

page() { # page MARKDOWN HTML LANGUAGE
  {
    printf '<!DOCTYPE html>\n<html lang="%s">\n<head>\n<meta charset="utf-8">\n' "$3"
    printf '<title>%s</title>\n' "$(title "$1")"
    printf '<style>body{max-width:60em;margin:auto;padding:1em;font-family:sans-serif}'
    printf 'img{max-width:100%%}table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:2px 6px}'
    printf 'pre{background:#f4f4f4;padding:6px;overflow:auto}</style>\n</head>\n<body>\n'
    if [ "$3" = ka ]; then
      # A Georgian page lies one folder down: its chapters stay beside it,
      # the English pages and the pictures are one folder up.
      "$converter" -e table "$1" | sed -e 's#href="\.\./\.\./\([^"]*\)\.md#href="../\1.html#g' \
        -e 's#href="\.\./\([^"]*\)\.md#href="../\1.html#g' -e 's#href="\([^":]*\)\.md#href="\1.html#g' \
        -e 's#\(src\|href\)="pictures/#\1="../pictures/#g'
    else
      # Links between pages name the Markdown; the HTML pages lie in one folder.
      "$converter" -e table "$1" | sed -e 's#href="\.\./\([^"]*\)\.md#href="\1.html#g' \
        -e 's#href="guide/\([^"]*\)\.md#href="\1.html#g' -e 's#href="\([^":]*\)\.md#href="\1.html#g'
    fi
    printf '</body>\n</html>\n'
  } > "$2"
}

for md in "$src"/docs/guide/*.md "$src"/docs/*.md; do
  page "$md" "$out/$(basename "$md" .md).html" en
done
for md in "$src"/docs/guide/ka/*.md; do
  [ -f "$md" ] || continue
  page "$md" "$out/ka/$(basename "$md" .md).html" ka
done
