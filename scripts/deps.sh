#!/bin/bash
# Installs from Debian's packages whatever the build and the tests need and is
# not there yet. Skips apt entirely when everything is present.
set -euo pipefail
packages=(g++ cmake make pkg-config qt6-base-dev libgl-dev fonts-ipafont-gothic fonts-ipafont-mincho
          qt6-translations-l10n xvfb xauth xdg-utils desktop-file-utils libicu-dev "$@")
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
