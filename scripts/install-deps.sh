#!/usr/bin/env bash
# Installs what building and testing need on Debian, when it is missing.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev libgl-dev
          fonts-ipafont-gothic fonts-ipafont-mincho)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo: missing ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
