#!/usr/bin/env bash
# Installs the Debian packages QDX needs to build, test and run. Safe to run again: it does
# nothing and prints nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libpugixml-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  # the desktop program: widgets, printing, D-Bus, SVG, the INI text editor
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libqscintilla2-qt6-dev
  libgl-dev
  # headless runs of the windows: offscreen fonts, an X server for screenshots, the session bus
  fonts-dejavu-core xvfb xauth dbus
  # the Python module and the clients of the automation interface in the tests
  pybind11-dev python3-dev python3-pytest python3-dbus
  # fuzzing and the sanitizer build
  clang libclang-rt-14-dev
  # the installed tree's checks (desktop entries, file types) and the .deb's dependencies
  desktop-file-utils libxml2-utils shared-mime-info xdg-utils libglib2.0-bin dpkg-dev
  # the printing and PDF export tests read the PDFs back
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
