#!/usr/bin/env bash
# Installs a build into a fresh prefix, as a teacher's `cmake --install` does,
# and checks what the desktop's menu needs: both programs, a valid desktop
# entry each in the Education category, and their icon in the icon theme.
#   install_for_the_desktop_menu.sh CMAKE BUILD-DIR
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

# The value of a key in a desktop entry's main group.
key() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1"; }

for entry in "Pramilo|Oefen de maaltafels" "Sudeval|Oefen de deeltafels"; do
  program=${entry%%|*}
  comment=${entry#*|}
  lower=${program,,}
  exe="$prefix/bin/$program"
  [[ -x "$exe" ]] || fail "$exe is not installed as a program"
  missing=$(ldd "$exe" | grep 'not found' || true)
  [[ -z "$missing" ]] || fail "$program cannot find: $missing"

  desktop="$prefix/share/applications/$lower.desktop"
  [[ -f "$desktop" ]] || fail "no desktop entry $desktop"
  desktop-file-validate "$desktop" || fail "$desktop is not a valid desktop entry"
  [[ "$(key "$desktop" Type)" == Application ]] || fail "$desktop: Type"
  [[ "$(key "$desktop" Name)" == "$program" ]] || fail "$desktop: Name"
  [[ "$(key "$desktop" Comment)" == "$comment" ]] || fail "$desktop: Comment"
  [[ "$(key "$desktop" Terminal)" == false ]] || fail "$desktop: Terminal"
  [[ ";$(key "$desktop" Categories)" == *";Education;"* ]] || fail "$desktop: not in Education"
  # The menu starts the program by the name in Exec, found on the PATH
  # beside which it was installed.
  [[ "$(key "$desktop" Exec)" == "$program" ]] || fail "$desktop: Exec"

  icon=$(key "$desktop" Icon)
  found=0
  for png in "$prefix"/share/icons/hicolor/*/apps/"$icon".png; do
    [[ -f "$png" ]] || continue
    size=$(basename "$(dirname "$(dirname "$png")")") # e.g. 128x128
    [[ "$(identify -format '%m %wx%h' "$png")" == "PNG $size" ]] ||
      fail "$png is not a $size PNG picture"
    found=$((found + 1))
  done
  ((found > 0)) || fail "no icon $icon in the hicolor theme"
  echo "PASS: $program installed with its menu entry and $found icon sizes"
done
