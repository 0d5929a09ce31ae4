#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs (and any named as
# arguments): with apt-get when run as root, otherwise it prints the apt-get
# line to run.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libncurses-dev qt6-base-dev fonts-dejavu-core tmux xvfb xauth
          "$@")
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
else
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get install -y ${missing[*]}" >&2
  exit 1
fi
