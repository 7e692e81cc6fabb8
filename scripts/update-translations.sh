#!/usr/bin/env bash
# Brings translations/keruna_en.ts up to date with the texts in the sources: new texts
# come in unfinished (shown in Japanese until translated), texts no longer used go.
# Translate them in Qt Linguist (linguist-qt6) or any editor, then build as usual.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v /usr/lib/qt6/bin/lupdate || command -v lupdate)
"$lupdate" -silent -recursive src -extensions cpp,h -source-language ja -target-language en \
  -locations none -no-obsolete -ts translations/keruna_en.ts
