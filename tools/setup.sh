#!/usr/bin/env bash
# Installs the Debian packages the programs and their tests need, if missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-qpa-plugins
  fonts-liberation2 fonts-dejavu-core
  libx11-dev imagemagick
  xvfb openbox xdotool x11-utils
  libcups2-dev
  cups printer-driver-cups-pdf poppler-utils
  locales desktop-file-utils
)

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
if ! locale -a 2>/dev/null | grep -qix 'nl_BE.utf8'; then
  echo "Generating the locale nl_BE.UTF-8"
  sed -i 's/^# *\(nl_BE\.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'nl_BE.UTF-8 UTF-8' /etc/locale.gen || echo 'nl_BE.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi
