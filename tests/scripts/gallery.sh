#!/usr/bin/env bash
# The contact sheet and page in docs/ are what scripts/gallery makes from the gallery now
# (so they show what the saver draws), with one tile per graph.
# Usage: gallery.sh NATIVE_TREE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
tree=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$root/scripts/gallery" "$tree" "$work" >/dev/null
count=$("$tree/bin/twk" list "$tree/bin/Gallery.twk" | wc -l)

# One tile per graph: the sheet is six columns of 212-pixel cells (200 and a margin of 6 on
# each side), the rows as many as the graphs need; a cell with a picture has something drawn
# in its 200 x 200 square.
read -r width height < <(identify -format '%w %h\n' "$work/gallery.png")
columns=6 rows=$(((count + 5) / 6))
((width == columns * 212)) || fail "the sheet is $width pixels wide"
((height % rows == 0)) || fail "the sheet's height $height is no whole number of $rows rows"
cell=$((height / rows))
drawn=$(convert "$work/gallery.png" -crop 212x$cell +repage -crop 200x200+6+6 +repage \
  -format '%[fx:maxima]\n' info: | grep -vc '^0$' || true)
((drawn == count)) || fail "$drawn tiles with a picture for $count graphs"

# The page lists every graph by name.
rows_listed=$(grep -c '^<tr><td>[0-9]' "$work/gallery.html")
((rows_listed == count)) || fail "the page lists $rows_listed graphs of $count"

# docs/ holds what the gallery makes now: `make gallery` rebuilds it.
differ=$(compare -metric AE "$work/gallery.png" "$root/docs/gallery.png" null: 2>&1 || true)
[[ $differ == 0 ]] || fail "docs/gallery.png is out of date ($differ pixels differ): run make gallery"
cmp -s "$work/gallery.html" "$root/docs/gallery.html" ||
  fail "docs/gallery.html is out of date: run make gallery"
echo "the contact sheet shows the $count graphs of the gallery"
