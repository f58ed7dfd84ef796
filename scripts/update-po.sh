#!/usr/bin/env bash
# After an English text changed: makes the translators' template from the texts (the build's
# po/marblix.pot), copies it to po/ and merges it into every catalogue, where a changed text is
# marked fuzzy until its translator checks it. Commit po/ afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/CMakeCache.txt ] || cmake --preset default
cmake --build build --target marblix_template -j 2
cp build/po/marblix.pot po/marblix.pot
while read -r code; do
  case "$code" in '' | '#'*) continue ;; esac
  msgmerge --quiet --update --backup=off --previous "po/$code.po" po/marblix.pot
done < po/LINGUAS
echo "po/ is up to date with the English texts; scripts/test.sh checks every catalogue"
