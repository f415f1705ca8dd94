#!/bin/sh
# Checks the guide's pages: every link names a page or file of the tree,
# every picture is in the tree or is made by a scenario that make guide
# runs (with OUT_DIR: is there, as make guide wrote it), each English
# chapter has its Georgian one and the other way round, a Georgian page
# shows the Georgian windows and links to Georgian chapters, and the README
# stays a front door of at most 200 lines. With OUT_DIR the HTML pages
# make guide wrote are checked too: each page is there, and each of its
# links and pictures is found from the page's folder.
#   guide-check.sh SOURCE_DIR [OUT_DIR]
set -u
src=$1 out=${2:-}
scenarios=$(cat "$src/tools/walkthrough/guide-scenarios.txt")
walk="$src/tools/walkthrough/main.cpp"
guide="$src/docs/guide"
failures=0
fail() { echo "guide-check: $*" >&2; failures=$((failures + 1)); }

lines=$(wc -l < "$src/README.md")
[ "$lines" -le 200 ] || fail "README.md has $lines lines, more than 200"

# A picture made by make guide: pictures/SCENARIO/[day-]NN-NAME.png, and
# pictures/ka/SCENARIO/... for the Georgian windows; the path is taken from
# the guide's folder whichever page names it.
check_picture() { # MARKDOWN TARGET
  rest=${2#*pictures/}
  language=
  case $rest in ka/*) language=ka/ rest=${rest#ka/} ;; esac
  case $1 in
    docs/guide/ka/*) [ -n "$language" ] || fail "$1: $2 shows the English windows on a Georgian page" ;;
    *) [ -z "$language" ] || fail "$1: $2 shows the Georgian windows on an English page" ;;
  esac
  scenario=${rest%%/*}
  file=${rest#*/}
  case " $scenarios " in *" $scenario "*) ;; *) fail "$1: $2: scenario \"$scenario\" is not run by make guide"; return ;; esac
  if [ -n "$out" ]; then
    [ -f "$out/pictures/$language$scenario/$file" ] || fail "$1: $2 was not made by make guide"
    return
  fi
  # Without the pictures, the name's first word must open a text of the
  # walkthrough or of a window: some names are made while it runs ("undo%1",
  # an import method's caption).
  name=$(echo "$file" | sed -e 's/\.png$//' -e 's/^day-//' -e 's/^[0-9][0-9]-//')
  word=$(echo "$name" | sed 's/[-0-9].*//')
  grep -qis "\"$word" "$walk" "$src"/src/app/*.cpp || fail "$1: $2: no scenario takes a picture named \"$name\""
}

for md in "$src"/README.md "$src"/docs/*.md "$guide"/*.md "$guide"/ka/*.md; do
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
    # A Georgian page's link to an English chapter that has a Georgian one.
    case ${md#"$guide"/} in
      ka/*) case $path in ../*.md) [ -f "$guide/ka/${path#../}" ] &&
              fail "${md#"$src"/}: $path leaves the Georgian guide for a chapter it has" ;; esac ;;
    esac
  done
done

# The two guides have the same chapters.
for md in "$guide"/*.md; do
  [ -f "$md" ] || continue
  [ -f "$guide/ka/${md##*/}" ] || fail "docs/guide/${md##*/} has no Georgian chapter docs/guide/ka/${md##*/}"
done
for md in "$guide"/ka/*.md; do
  [ -f "$md" ] || continue
  [ -f "$guide/${md##*/}" ] || fail "docs/guide/ka/${md##*/} has no English chapter docs/guide/${md##*/}"
done

# The HTML make guide wrote: a page for each Markdown page, in its folder.
check_html() { # HTML
  page=${1#"$out"/}
  dir=$(dirname "$1")
  case $page in
    ka/*) grep -q '<html lang="ka">' "$1" || fail "$page is not marked Georgian (html lang=\"ka\")" ;;
  esac
  for target in $(grep -o '\(href\|src\)="[^"]*"' "$1" | sed 's/^[a-z]*="//;s/"$//'); do
    case $target in http:* | https:* | mailto:* | '#'*) continue ;; esac
    path=${target%%#*}
    [ -e "$dir/$path" ] || { fail "$page: $path is not there"; continue; }
    case $page in
      ka/*) case $path in ../*.html) [ -f "$out/ka/${path#../}" ] &&
              fail "$page: $path leaves the Georgian pages for one they have" ;; esac ;;
    esac
  done
}
if [ -n "$out" ]; then
  for md in "$src"/docs/*.md "$guide"/*.md "$guide"/ka/*.md; do
    [ -f "$md" ] || continue
    case $md in "$guide"/ka/*) html=ka/$(basename "$md" .md).html ;; *) html=$(basename "$md" .md).html ;; esac
    [ -f "$out/$html" ] || fail "${md#"$src"/}: $html was not made by make guide"
  done
  for html in "$out"/*.html "$out"/ka/*.html; do
    [ -f "$html" ] && check_html "$html"
  done
fi
[ "$failures" -eq 0 ] || { echo "guide-check: $failures problems" >&2; exit 1; }
echo "guide-check: every link and picture found"
