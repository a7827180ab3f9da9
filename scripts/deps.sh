#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Farvik need, when missing.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev locales
          qt6-base-dev qt6-svg-dev qt6-translations-l10n
          libbdd-dev libboost-dev
          xvfb xauth poppler-utils fonts-dejavu-core
          python3  # reads exported CSV back in the tests
          dpkg-dev file desktop-file-utils  # the Debian package: dpkg-shlibdeps, its checks
          lintian appstream man-db groff-base libglib2.0-bin shared-mime-info)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Instalando: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
