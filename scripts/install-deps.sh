#!/usr/bin/env bash
# Installs every Debian 12 package Mirevo needs to build, run and test.
# Usage: scripts/install-deps.sh [--list] [build|run|package|test]   (default: test, the superset)
# Runs apt-get only when something is missing, so repeated runs are quick; --list only
# prints the packages of that list.
set -euo pipefail

list_only=false
[ "${1:-}" = --list ] && { list_only=true; shift; }
what=${1:-test}

build_pkgs=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-svg-dev qt6-qpa-plugins libqt6svg6
  libicu-dev libx11-dev libx11-xcb-dev libxcb1-dev libxcb-xkb-dev libxcb-xinput-dev
  libxcb-shape0-dev libxcb-xfixes0-dev libglib2.0-dev libxkbregistry-dev
  fonts-dejavu-core fonts-noto-cjk
)
run_pkgs=(
  xvfb openbox trayer dbus dbus-x11 xauth x11-utils x11-xserver-utils xcompmgr procps
  xkb-data qt6-translations-l10n fonts-noto-core fonts-urw-base35
)
package_pkgs=(dpkg-dev file lintian)
test_pkgs=(
  xdotool x11-xkb-utils jq bc python3 shfmt libglib2.0-bin at-spi2-core gir1.2-atspi-2.0 python3-gi
  appstream desktop-file-utils man-db valgrind
  ibus ibus-hangul ibus-libpinyin ibus-mozc
  fcitx5 fcitx5-hangul fcitx5-modules fcitx5-mozc
  dconf-service dconf-gsettings-backend dconf-cli gsettings-desktop-schemas
  gnome-shell python3-gi gir1.2-gtk-3.0 ibus-gtk3
  kded5 plasma-desktop plasma-workspace libkf5globalaccel-bin kwin-wayland xwayland sway
  clang libclang-rt-14-dev strace
)

case "$what" in
  build) pkgs=("${build_pkgs[@]}") ;;
  run) pkgs=("${build_pkgs[@]}" "${run_pkgs[@]}") ;;
  package) pkgs=("${build_pkgs[@]}" "${package_pkgs[@]}") ;;
  test) pkgs=("${build_pkgs[@]}" "${run_pkgs[@]}" "${package_pkgs[@]}" "${test_pkgs[@]}") ;;
  *) echo "usage: $0 [--list] [build|run|package|test]" >&2; exit 2 ;;
esac
if $list_only; then
  printf '%s\n' "${pkgs[@]}"
  exit 0
fi

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or install them with sudo apt-get install)." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 update -qq
apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
