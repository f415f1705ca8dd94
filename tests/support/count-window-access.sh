#!/bin/sh
# How much the tests still lean on the main window: the places in tests/
# that reach a member TForm1 declares through a window object (form, f,
# other, window, w), and how many distinct members they reach.
# Usage: tests/support/count-window-access.sh [source root]
root=${1:-.}
header="$root/src/app/Graphic_Editor.h"
hits=$(mktemp)
members=$(sed -n '/^class TForm1/,/^};/p' "$header" | grep -v '^ *//' |
  grep -oE '[A-Za-z_][A-Za-z0-9_]*(\(| = |;)' | sed -E 's/(\(| = |;)$//' |
  grep -vE '^(name|TForm1|override|const|explicit|Q_OBJECT|return|Prompter|QString|QStringList|QPoint|bool|void|int)$' |
  sort -u)
pattern=$(echo "$members" | grep -v '^$' | paste -sd'|')
grep -rhoE "\b(form|f|other|window|w)\s*(\.|->)\s*($pattern)\b" "$root/tests" | sed -E 's/.*(\.|->)\s*//' > "$hits"
echo "accesses: $(wc -l < "$hits")"
echo "members:  $(sort -u "$hits" | wc -l)"
rm -f "$hits"
