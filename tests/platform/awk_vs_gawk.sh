#!/bin/sh
# Compares the matcher with gawk's match() (RSTART, RLENGTH) on generated
# ASCII cases. Usage: awk_vs_gawk.sh WINE_EXEC PREFIX TOOL.exe [COUNT] [SEED]
set -e
WINE_EXEC=$1 PREFIX=$2 TOOL=$3 COUNT=${4:-4000} SEED=${5:-1}
command -v gawk >/dev/null || { echo "gawk is not installed (tools/bootstrap installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$WINE_EXEC" "$PREFIX" "$TOOL" "$COUNT" "$SEED" | tr -d '\r' >"$work/ours"
lines=$(wc -l <"$work/ours")
[ "$lines" -eq "$COUNT" ] || { echo "the tool printed $lines lines, not $COUNT"; exit 1; }
# gawk reads each pattern as a dynamic regular expression, bytes as bytes.
LC_ALL=C gawk -F'\t' '{ match($2, $1); print $1 "\t" $2 "\t" RSTART "\t" RLENGTH }' "$work/ours" \
    >"$work/gawk" 2>"$work/gawk.err" || { cat "$work/gawk.err"; exit 1; }
if ! cmp -s "$work/ours" "$work/gawk"; then
    echo "pattern, subject, ours: start length / gawk: start length"
    paste "$work/ours" "$work/gawk" | awk -F'\t' '$3 != $7 || $4 != $8 { print $1 "  \"" $2 "\"  ours " $3 " " $4 " / gawk " $7 " " $8 }' | head -30
    exit 1
fi
echo "$COUNT cases agree with gawk"
