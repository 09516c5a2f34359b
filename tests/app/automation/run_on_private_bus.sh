#!/bin/sh
# Runs a client of the automation server on a session bus of its own, with every folder of the
# program in a temporary folder: usage run_on_private_bus.sh QDX_EXE CLIENT.py
set -eu
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data"
export XDG_DOCUMENTS_DIR="$root/documents" XDG_RUNTIME_DIR="$root/runtime"
export QDX_COMMON_DIR="$root/common" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DOCUMENTS_DIR" "$QDX_COMMON_DIR" \
         "$XDG_DATA_HOME/dbus-1/services"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The bus reads the activation folders of XDG_DATA_HOME when it starts.
exec dbus-run-session -- /usr/bin/python3 "$2" "$1"
