#!/bin/sh
# Checks the guide's pages: every link names a page or file of the tree,
# every picture is in the tree or is made by a scenario that make guide
# runs (with OUT_DIR: is there, as make guide wrote it), and the README
# stays a front door of at most 200 lines.
#   guide-check.sh SOURCE_DIR [OUT_DIR]
set -u
src=$1 out=${2:-}
scenarios=$(cat "$src/tools/walkthrough/guide-scenarios.txt")
walk="$src/tools/walkthrough/main.cpp"
failures=0
fail() { echo "guide-check: $*" >&2; failures=$((failures + 1)); }

lines=$(wc -l < "$src/README.md")
[ "$lines" -le 200 ] || fail "README.md has $lines lines, more than 200"

# A picture made by make guide: pictures/SCENARIO/[day-]NN-NAME.png.
check_picture() { # MARKDOWN TARGET
  rest=${2#*pictures/}
  scenario=${rest%%/*}
  file=${rest#*/}
  case " $scenarios " in *" $scenario "*) ;; *) fail "$1: $2: scenario \"$scenario\" is not run by make guide"; return ;; esac
  if [ -n "$out" ]; then
    [ -f "$out/pictures/$scenario/$file" ] || fail "$1: $2 was not made by make guide"
    return
  fi
  # Without the pictures, the name's first word must open a text of the
  # walkthrough or of a window: some names are made while it runs ("undo%1",
  # an import method's caption).
  name=$(echo "$file" | sed -e 's/\.png$//' -e 's/^day-//' -e 's/^[0-9][0-9]-//')
  word=$(echo "$name" | sed 's/[-0-9].*//')
  grep -qis "\"$word" "$walk" "$src"/src/app/*.cpp || fail "$1: $2: no scenario takes a picture named \"$name\""
}

for md in "$src"/README.md "$src"/docs/*.md "$src"/docs/guide/*.md; do
  [ -f "$md" ] || continue
  dir=$(dirname "$md")
  # Link targets: ](target) and ](target "title"), external ones left out.
  for target in $(grep -o '](\([^) ]*\)' "$md" | sed 's/^](//'); do
    case $target in http:* | https:* | mailto:* | '#'*) continue ;; esac
    path=${target%%#*}
    case $path in
      pictures/* | */guide/pictures/*) check_picture "${md#"$src"/}" "$path" ;;
      *) [ -e "$dir/$path" ] || fail "${md#"$src"/}: $path does not exist" ;;
    esac
  done
done
[ "$failures" -eq 0 ] || { echo "guide-check: $failures problems" >&2; exit 1; }
echo "guide-check: every link and picture found"
