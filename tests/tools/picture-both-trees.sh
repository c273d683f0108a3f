#!/usr/bin/env bash
# picture.exe under Wine and the native picture write the same pixels for every JPEG file of
# jpeg_sample, at their own size and stretched to the image picker's 176 x 150.
# Usage: picture-both-trees.sh PATH/picture.exe NATIVE_TREE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-session.sh"

exe=$1
native=$2
for tool in "$native/tools/picture/picture" "$native/tests/toolkit/jpeg_sample"; do
  [[ -x "$tool" ]] || { echo "missing $tool: build the native tree first (make native)"; exit 1; }
done
wine_test_session

"$native/tests/toolkit/jpeg_sample" "$work/jpeg"
# The same PNG, read back as raw RGB: the files' compression could differ, the pixels not.
pixels() { convert "$1" -depth 8 rgb:- | md5sum; }
checked=0
for file in "$work"/jpeg/*; do
  name=$(basename "$file")
  [[ "$name" == damaged.jpg ]] && continue
  for stretch in "" "176x150"; do
    args=("$file" -o)
    [[ -n "$stretch" ]] && args=("$file" --stretch "$stretch" -o)
    "$native/tools/picture/picture" "${args[@]}" "$work/native.png" >"$work/native.txt"
    wine "$exe" "${args[@]}" "$work/windows.png" | tr -d '\r' >"$work/windows.txt"
    # The reports differ only in the output file's name.
    diff <(head -n 3 "$work/native.txt") <(head -n 3 "$work/windows.txt") ||
      fail "$name ${stretch:-own size}: the reports differ"
    [[ "$(pixels "$work/native.png")" == "$(pixels "$work/windows.png")" ]] ||
      fail "$name ${stretch:-own size}: the pixels differ"
    checked=$((checked + 1))
  done
done
[[ $checked -ge 10 ]] || fail "only $checked pictures compared"
echo "$checked pictures alike"
