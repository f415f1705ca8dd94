#!/bin/sh
# Lists the functions in the sources (every .cpp below src/ and tools/) that
# are longer than 60 lines, as "file:line name length", and fails when one of
# them is not in tests/support/long-functions.allow.
#
# A function's length counts the lines from the one holding its name to the
# one holding its closing brace, both included: the signature, a
# constructor's initializer list and everything in the body, lambdas and
# local classes included. A function is a brace block opened at namespace or
# class level after a signature with a parameter list; initializers
# ("= {...}"), enums and brace-initialized members are not. Comments, string
# and character literals and preprocessor lines are skipped before the
# braces are counted.
#
# The allow file holds "file name" pairs ("src/feeds/X.cpp Reader::next"):
# the few parsers' state machines that read better whole, each with a
# comment at its head saying why; at most five, or the check fails. "#"
# starts a comment. An allowed entry that is no longer long is reported
# so that it can be taken out, without failing.
#
# Usage: tests/support/long-functions.sh [source root]
root=${1:-.}
limit=60
allow="$root/tests/support/long-functions.allow"
found=$(mktemp)
trap 'rm -f "$found"' EXIT

for file in $(find "$root/src" "$root/tools" -name '*.cpp' 2>/dev/null | LC_ALL=C sort); do
    [ -f "$file" ] || continue
    awk -v limit="$limit" -v shown="${file#"$root"/}" '
function flush_statement() { stmt = ""; stmt_line = 0 }
# The name before the parameter list: the last qualified identifier (or
# operator) in front of the first "(" at bracket level zero.
function function_name(text,    i, c, level, cut, head) {
    level = 0
    cut = 0
    for (i = 1; i <= length(text); i++) {
        c = substr(text, i, 1)
        if (c == "<") level++
        else if (c == ">" && level > 0) level--
        else if (c == "(" && level == 0) { cut = i; break }
    }
    if (!cut) return ""
    head = substr(text, 1, cut - 1)
    sub(/[ \t]+$/, "", head)
    if (match(head, /operator[ \t]*[^ \tA-Za-z0-9_]*$/))
        head = substr(head, 1, RSTART - 1) "operator" substr(head, RSTART + 8)
    if (match(head, /[A-Za-z_~][A-Za-z0-9_:~<>,]*(operator[^ \tA-Za-z0-9_(]*)?$/))
        return substr(head, RSTART, RLENGTH)
    return ""
}
# What an opening brace at namespace or class level starts.
function classify(text,    t) {
    t = text
    gsub(/template[ \t]*<[^>]*>/, "", t)
    gsub(/operator[ \t]*[^ \tA-Za-z0-9_(]+/, "operator", t)
    if (t ~ /(^|[^A-Za-z0-9_])(namespace|extern)([^A-Za-z0-9_]|$)/ && t !~ /\(/) return "scope"
    if (t ~ /(^|[^A-Za-z0-9_])enum([^A-Za-z0-9_]|$)/) return "data"
    if (t ~ /(^|[^A-Za-z0-9_])(class|struct|union)([^A-Za-z0-9_]|$)/ && t !~ /\(/) return "scope"
    if (t !~ /\(/) return "data"
    if (t ~ /=/ && index(t, "=") < index(t, "(")) return "data"
    # Inside a constructor initializer list a brace right after a name is a
    # member brace-initializer, not the body.
    if (t ~ /\)[^()]*[^:]:[^:]/ && t ~ /[A-Za-z0-9_>][ \t]*$/) return "init"
    return "function"
}
function open_brace(    kind) {
    if (body_depth > 0) { stack[++depth] = "inner"; return }
    if (in_data > 0) { stack[++depth] = "data"; in_data++; return }
    kind = classify(stmt)
    if (kind == "function") {
        start = stmt_line ? stmt_line : NR
        name = function_name(stmt)
        stack[++depth] = "function"
        body_depth = depth
        flush_statement()
    } else if (kind == "init") {
        stmt = stmt "{"
        init_level++
    } else if (kind == "data") {
        stack[++depth] = "data"
        in_data = 1
    } else {
        stack[++depth] = "scope"
        flush_statement()
    }
}
function close_brace() {
    if (init_level > 0 && body_depth == 0 && in_data == 0) { init_level--; stmt = stmt "}"; return }
    if (depth == 0) return
    if (stack[depth] == "function" && depth == body_depth) {
        if (NR - start + 1 > limit) printf "%s:%d %s %d\n", shown, start, name, NR - start + 1
        body_depth = 0
        flush_statement()
    } else if (stack[depth] == "data") {
        in_data--
        if (in_data == 0) flush_statement()
    } else if (stack[depth] == "scope") {
        flush_statement()
    }
    depth--
}
BEGIN { depth = 0; body_depth = 0; in_data = 0; init_level = 0; in_comment = 0; continued = 0 }
{
    line = $0
    if (continued) { continued = (line ~ /\\$/); next }
    if (!in_comment && line ~ /^[ \t]*#/) { continued = (line ~ /\\$/); next }
    n = length(line)
    i = 1
    while (i <= n) {
        c = substr(line, i, 1)
        if (in_comment) {
            if (c == "*" && substr(line, i + 1, 1) == "/") { in_comment = 0; i += 2 } else i++
            continue
        }
        if (c == "/" && substr(line, i + 1, 1) == "/") break
        if (c == "/" && substr(line, i + 1, 1) == "*") { in_comment = 1; i += 2; continue }
        if (c == "\"" || c == "\047") {
            quote = c
            i++
            while (i <= n) {
                d = substr(line, i, 1)
                if (d == "\\") { i += 2; continue }
                i++
                if (d == quote) break
            }
            if (body_depth == 0) stmt = stmt "\"\""
            continue
        }
        if (c == "{") { open_brace(); i++; continue }
        if (c == "}") { close_brace(); i++; continue }
        if (body_depth == 0 && in_data == 0) {
            if (c == ";" && init_level == 0) { flush_statement(); i++; continue }
            if (c !~ /[ \t]/ && stmt_line == 0) stmt_line = NR
            if (init_level == 0 || c != ";") stmt = stmt c
        }
        i++
    }
    if (body_depth == 0 && in_data == 0 && stmt != "") {
        # Access labels and Q_OBJECT stand on lines of their own.
        if (stmt ~ /^[ \t]*(Q_OBJECT|Q_GADGET|(public|private|protected|signals|Q_SIGNALS)([ \t]+(slots|Q_SLOTS))?[ \t]*:)[ \t]*$/)
            flush_statement()
        else
            stmt = stmt " "
    }
}
' "$file"
done > "$found"

status=0
while read -r where name length; do
    file=${where%%:*}
    if [ -f "$allow" ] && grep -v '^[[:space:]]*#' "$allow" | grep -qxF "$file $name"; then
        echo "$where $name $length (allowed)"
    else
        echo "$where $name $length"
        status=1
    fi
done < "$found"

if [ -f "$allow" ]; then
    allowed=$(grep -v '^[[:space:]]*#' "$allow" | grep -c -v '^[[:space:]]*$')
    if [ "$allowed" -gt 5 ]; then
        echo "tests/support/long-functions.allow lists $allowed functions; at most 5 may stay whole"
        status=1
    fi
    grep -v '^[[:space:]]*#' "$allow" | grep -v '^[[:space:]]*$' | while read -r file name; do
        grep -q "^$file:[0-9]* $name " "$found" || echo "note: $file $name is no longer over $limit lines; take it out of tests/support/long-functions.allow"
    done
fi
[ "$status" -eq 0 ] || echo "Functions over $limit lines: split them into smaller named steps."
exit "$status"
