#!/bin/sh
# Checks that every folder of src/ includes only the folders below it, as
# tests/support/include-direction.rules lays them out, and fails otherwise.
#
# Every header and source file under src/<folder>/ (its subfolders too) is
# read for #include "<other>/..." lines; a quoted include is a folder of the
# tree, named from src/. It may name its own folder or a folder the rules
# let it reach. Angle-bracket includes (Qt, the system, libraries) are not
# the tree's and are left alone; commented-out includes do not count. Also
# reported: an include through "../", a folder of src/ without a rule, a
# rule for a folder src/ does not have or that names a folder without a rule
# of its own, and rules that go round (a folder that would reach itself).
#
# Prints one line a fault, "file:line: message", and exits with 1 when there
# was one.
#
# Usage: tests/support/include-direction.sh [source root]
root=${1:-.}
rules="$root/tests/support/include-direction.rules"
if [ ! -f "$rules" ]; then
    echo "$rules: not found"
    exit 1
fi
folders=$(mktemp)
trap 'rm -f "$folders"' EXIT
for dir in "$root"/src/*/; do
    [ -d "$dir" ] && basename "$dir"
done > "$folders"

find "$root/src" -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | LC_ALL=C sort |
awk -v rules="$rules" -v folders="$folders" -v root="$root" '
function fault(text) { print text; faults++ }
# Every folder `from` reaches through the rules, into reach[from, *].
function walk(from, at,    n, i, list) {
    n = split(direct[at], list, " ")
    for (i = 1; i <= n; i++) {
        if ((from, list[i]) in reach) continue
        reach[from, list[i]] = 1
        if (list[i] in ruled) walk(from, list[i])
    }
}
function shown(path) { return substr(path, length(root) + 2) }
BEGIN {
    rulesShown = shown(rules)
    while ((getline line < rules) > 0) {
        lineNo++
        if (line ~ /^[ \t]*(#|$)/) continue
        if (line !~ /^[ \t]*[A-Za-z0-9_]+[ \t]*:/) {
            fault(rulesShown ":" lineNo ": not a rule: " line)
            continue
        }
        name = line
        sub(/^[ \t]*/, "", name)
        sub(/[ \t]*:.*/, "", name)
        uses = line
        sub(/^[^:]*:/, "", uses)
        gsub(/[ \t]+/, " ", uses)
        sub(/^ /, "", uses)
        sub(/ $/, "", uses)
        if (name in ruled) {
            fault(rulesShown ":" lineNo ": a second rule for " name "; the first one stands")
            continue
        }
        ruled[name] = 1
        ruleLine[name] = lineNo
        order[++count] = name
        direct[name] = uses
    }
    while ((getline name < folders) > 0) present[name] = 1
    for (i = 1; i <= count; i++) {
        name = order[i]
        if (!(name in present)) fault(rulesShown ":" ruleLine[name] ": a rule for " name ", which src/ does not have")
        n = split(direct[name], list, " ")
        for (j = 1; j <= n; j++)
            if (!(list[j] in ruled)) fault(rulesShown ":" ruleLine[name] ": " name " uses " list[j] ", which has no rule")
        walk(name, name)
        if ((name, name) in reach) fault(rulesShown ":" ruleLine[name] ": " name " reaches itself: the rules go round")
    }
}
{
    file = $0
    where = shown(file)
    folder = where
    sub(/^src\//, "", folder)
    sub(/\/.*/, "", folder)
    if (!(folder in ruled) && !(folder in unruled)) {
        unruled[folder] = 1
        fault("src/" folder ": no rule in " rulesShown)
    }
    lineNo = 0
    while ((getline line < file) > 0) {
        lineNo++
        if (line !~ /^[ \t]*#[ \t]*include[ \t]*"/) continue
        target = line
        sub(/^[ \t]*#[ \t]*include[ \t]*"/, "", target)
        sub(/".*/, "", target)
        if (target ~ /(^|\/)\.\.\//) {
            fault(where ":" lineNo ": includes " target " by a relative path; name it from src/")
            continue
        }
        if (target !~ /\//) continue
        other = target
        sub(/\/.*/, "", other)
        if (other == folder || !(folder in ruled)) continue
        if (!(other in ruled)) {
            fault(where ":" lineNo ": " folder " includes " target ", and " other " has no rule")
            continue
        }
        if (!((folder, other) in reach))
            fault(where ":" lineNo ": " folder " includes " target "; " folder " may use only what its rule reaches (" \
                  (direct[folder] == "" ? "nothing" : direct[folder]) ")")
    }
    close(file)
}
END {
    if (faults) {
        print faults " against the direction of the layers; see " rulesShown
        exit 1
    }
}
'
