#!/bin/sh
# Brings translations/vexel_ka.ts up to date with the windows' texts
# (new texts come in unfinished, texts no longer used are dropped), or, with
# --check FILE, writes the up-to-date list to FILE and leaves the tree alone.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
target=$root/translations/vexel_ka.ts
if [ "${1:-}" = "--check" ]; then
  cp "$target" "$2"
  target=$2
fi
"$lupdate" -silent -locations none -no-obsolete -target-language ka -I "$root/src" \
  "$root/src/app" "$root/src/widgets" "$root/src/session" "$root/src/fleet" "$root/src/transfer" \
  "$root/src/document" "$root/src/depot" "$root/src/feeds" "$root/src/sets" "$root/src/store" "$root/src/preview" "$root/src/settings" -ts "$target"
