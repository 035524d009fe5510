#!/usr/bin/env bash
# Installs the Debian packages that building and running the programs need,
# if missing; with --tests also those the tests and benchmarks need (X
# servers, window managers, printing to PDF, picture and PDF tools) and the
# Belgian Dutch locale they run under.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-qpa-plugins libx11-dev libcups2-dev
  fonts-liberation2 fonts-dejavu-core
)
tests=0
case "${1:-}" in
  "") ;;
  --tests) tests=1 ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac
if ((tests)); then
  packages+=(
    imagemagick
    xvfb openbox xdotool x11-utils
    metacity wmctrl
    cups printer-driver-cups-pdf poppler-utils
    locales desktop-file-utils
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run under a Belgian Dutch locale as well as under C.UTF-8.
if ((tests)) && ! locale -a 2>/dev/null | grep -qix 'nl_BE.utf8'; then
  echo "Generating the locale nl_BE.UTF-8"
  sed -i 's/^# *\(nl_BE\.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'nl_BE.UTF-8 UTF-8' /etc/locale.gen || echo 'nl_BE.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi
