#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need (and any named
# as arguments): with apt-get when run as root, otherwise it prints the
# apt-get line to run.
#   ./scripts/setup.sh [--locales] [PACKAGE...]
# --locales also generates the German and French locales (decimal comma) that
# the test of locale-independent numbers runs under (localedef as root).
set -euo pipefail
test_locales=()
if [ "${1:-}" = "--locales" ]; then
  shift
  test_locales=(de_DE fr_FR)
fi
packages=(cmake g++ make libgtest-dev libncurses-dev nlohmann-json3-dev qt6-base-dev qt6-charts-dev qt6-svg-dev fonts-dejavu-core
          tmux xvfb xauth python3 python3-jsonschema jq locales groff-base ngspice libngspice0-dev
          chromium poppler-utils python3-html5lib "$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
missing_locales=()
for name in "${test_locales[@]}"; do
  locale -a 2>/dev/null | grep -qx "$name.utf8" || missing_locales+=("$name")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_locales[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages or locales. Run as root:" >&2
  [ ${#missing[@]} -eq 0 ] || echo "  apt-get install -y ${missing[*]}" >&2
  for name in "${missing_locales[@]}"; do
    echo "  localedef -i $name -f UTF-8 $name.UTF-8" >&2
  done
  exit 1
fi
if [ ${#missing[@]} -ne 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
for name in "${missing_locales[@]}"; do
  localedef -i "$name" -f UTF-8 "$name.UTF-8"
done
