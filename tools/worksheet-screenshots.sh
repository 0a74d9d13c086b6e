#!/usr/bin/env bash
# Renders the first page of a worksheet and of its answer key into docs/screenshots,
# from a shipped lesson, as the teachers' tool makes them:
#   tools/worksheet-screenshots.sh   (after the cloze-lessons and lesson_store targets are built)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
out=$PWD/docs/screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pattern 18 lesson 1: answers of two words with apostrophes, hints under the blanks.
said=$(build/bin/cloze-lessons worksheet --word-bank --hints build/bin/db1.sqlite 18 1 "$work/sheet.pdf")
# «wrote ...: 1 lesson(s), N worksheet page(s), ...»: the key starts on page N + 1.
key=$(( $(sed -E 's/.* ([0-9]+) worksheet page.*/\1/' <<<"$said") + 1 ))
pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$work/sheet.pdf" "$out/worksheet"
pdftoppm -png -r 100 -f "$key" -l "$key" -singlefile "$work/sheet.pdf" "$out/worksheet-key"
echo "wrote $out/worksheet.png and $out/worksheet-key.png"
