#!/usr/bin/env bash
# Draws every screen of both programs under each locale given and compares
# the pictures with the first locale's, pixel for pixel: a locale may change
# the report's date, nothing on the screens.
#   same_screens_in_both_locales.sh RENDER_SCREENS LOCALE...
set -euo pipefail
render=$1
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for locale in "$@"; do
  LC_ALL=$locale LANG=$locale QT_QPA_PLATFORM=offscreen "$render" "$tmp/$locale" >/dev/null 2>&1 ||
    { echo "FAIL: the screens could not be drawn under $locale" >&2; exit 1; }
done

first=$1
shift
count=$(find "$tmp/$first" -name '*.png' | wc -l)
((count > 0)) || { echo "FAIL: no screens were drawn" >&2; exit 1; }
status=0
for locale in "$@"; do
  for picture in "$tmp/$first"/*.png; do
    # ImageMagick compares the pixels, not the bytes of the files.
    diff=$(compare -metric AE "$picture" "$tmp/$locale/$(basename "$picture")" null: 2>&1) || true
    if [[ "$diff" != 0 ]]; then
      echo "FAIL: $(basename "$picture") differs under $locale from $first: $diff pixels" >&2
      status=1
    fi
  done
done
((status == 0)) && echo "PASS: $count screens are the same under $first and $*"
exit $status
