#!/usr/bin/env bash
# Fails when a file of a logic library (*_core) includes a Qt GUI or widget
# header, in any spelling: <QtWidgets/QLabel>, <QLabel>, <qlabel.h>,
# "QtGui/QPainter" ... The build refuses such an include in every file it
# compiles into a logic library; this also covers headers that no logic
# .cpp includes.
#
# Usage: check-logic-includes.sh LOGIC_ONLY_DIR SOURCE_LIST
#   LOGIC_ONLY_DIR  the build's logic-only/ folder: one stand-in per Qt GUI
#                   and widget header, under the names a logic file must not use
#   SOURCE_LIST     the logic libraries' files, one path a line
set -euo pipefail
banned=$1
list=$2
[[ -f "$banned/.complete" ]] || { echo "no header list in $banned" >&2; exit 2; }
found=0
checked=0
while IFS= read -r file; do
  [[ -n "$file" ]] || continue
  checked=$((checked + 1))
  while IFS=: read -r line name; do
    if [[ -e "$banned/$name" ]]; then
      echo "$file:$line: includes $name, a Qt GUI or widget header, in a logic library"
      found=1
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" |
           sed -E 's/^([0-9]+):[^<"]*[<"]([^>"]+)[>"].*/\1:\2/' || true)
done < "$list"
if [[ $checked -eq 0 ]]; then
  echo "no logic files to check in $list" >&2
  exit 2
fi
[[ $found -eq 0 ]] && echo "$checked logic files, no Qt GUI or widget include"
exit $found
