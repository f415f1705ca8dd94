#!/bin/sh
# The Georgian interface is complete: every text the windows pass through
# tr() is in translations/vexel_ka.ts with a finished translation, the file
# keeps no text the sources no longer have, and Qt's own texts are finished.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$root/translations/update.sh" --check "$scratch/vexel_ka.ts" >"$scratch/lupdate.log" 2>&1 || {
  cat "$scratch/lupdate.log"; exit 1; }
status=0
grep -A1 '<source>' "$root/translations/vexel_ka.ts" >"$scratch/kept"
grep -A1 '<source>' "$scratch/vexel_ka.ts" >"$scratch/wanted"
if ! diff -u "$scratch/kept" "$scratch/wanted" >"$scratch/diff"; then
  echo "translations/vexel_ka.ts is not up to date with the sources (make translations):"
  grep '^[-+] *<source>' "$scratch/diff" | head -40
  status=1
fi
for ts in "$scratch/vexel_ka.ts" "$root/translations/qtbase_ka.ts"; do
  if grep -q 'type="unfinished"' "$ts"; then
    echo "$(basename "$ts"): unfinished translations:"
    grep -B1 'type="unfinished"' "$ts" | grep '<source>' | head -40
    status=1
  fi
done
exit $status
