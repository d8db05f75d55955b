#!/usr/bin/env bash
# Brings the translation files up to date with the texts in src/: a new text comes in
# unfinished (translate it with Qt Linguist, `linguist translations/snapdeck_en.ts`, or in
# the file itself), a text gone from the sources is dropped. No file locations are
# written, so a change elsewhere in a source file leaves the .ts alone.
# Usage: update-translations.sh [--keep-vanished] [TS_FILE...]
#   --keep-vanished  keep texts no longer in the sources, marked "vanished" (the
#                    translations test uses it to see whether the file was up to date)
#   TS_FILE          the files to update; translations/snapdeck_*.ts by default (a new
#                    one, translations/snapdeck_de.ts say, is made by naming it)
# LUPDATE names Qt 6's lupdate when it is not where Debian puts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

obsolete=(-no-obsolete)
if [ "${1:-}" = --keep-vanished ]; then
  obsolete=()
  shift
fi
if [ $# -eq 0 ]; then
  shopt -s nullglob
  set -- "$root"/translations/snapdeck_*.ts
  shopt -u nullglob
  [ $# -gt 0 ] || set -- "$root/translations/snapdeck_en.ts"
fi

lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
if [ ! -x "$lupdate" ]; then
  echo "update-translations: Qt 6's lupdate is not at $lupdate (qt6-l10n-tools:" \
    "scripts/install-deps.sh); give its path in LUPDATE" >&2
  exit 1
fi

for ts in "$@"; do
  # The target language from the name: snapdeck_en.ts is English.
  language=$(basename "$ts" .ts)
  language=${language#snapdeck_}
  "$lupdate" -silent "${obsolete[@]}" -locations none -extensions cpp,h \
    -source-language ru_RU -target-language "$language" \
    "$root/src" -ts "$ts"
done
