#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Vortan.
# Does nothing when everything is already there.
set -euo pipefail
pkgs=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev pkg-config googletest libgtest-dev
      qt6-base-dev qt6-translations-l10n libgl-dev fonts-ipafont-gothic xvfb xauth)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
