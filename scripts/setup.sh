#!/usr/bin/env bash
# Installs what building, testing and running need on a fresh Debian 12 machine.
# Only packages that are missing are installed; nothing is done when all are present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev
  qt6-base-dev libgl-dev
  firebird3.0-utils firebird3.0-server-core
  fonts-liberation2 fontconfig bc
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
