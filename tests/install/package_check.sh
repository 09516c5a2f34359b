#!/usr/bin/env bash
# The Debian package of `make package`: its control fields, its files, and the programs run
# from its unpacked tree. With root and apt-get, also whether apt could install it here.
#   package_check.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
deb=$(ls -t "$build"/qdx_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "package_check: no qdx_*.deb in $build (run make package)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "package_check: $*" >&2; exit 1; }

echo "== $deb"
dpkg-deb -I "$deb"
[ "$(dpkg-deb -f "$deb" Package)" = qdx ] || fail "the package is not called qdx"
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "no dependencies"
case ",$depends" in *-dev[\ ,]*|*-dev) fail "a build dependency in Depends: $depends" ;; esac
for p in libqt6widgets6 libpugixml1v5 qt6-qpa-plugins; do
  case "$depends" in *"$p"*) ;; *) fail "Depends lacks $p: $depends" ;; esac
done

dpkg-deb -c "$deb" >"$tmp/files"
for f in usr/bin/qdx usr/bin/qdx-aerograph usr/lib/qdx/qdx-desktop.so usr/share/qdx/CoilMakers.xml \
         usr/share/qdx/Regions.idx usr/share/applications/qdx.desktop \
         usr/share/applications/qdx-aerograph.desktop usr/share/mime/packages/qdx.xml \
         usr/share/icons/hicolor/scalable/apps/qdx.svg; do
  grep -q " \./$f\$" "$tmp/files" || fail "not in the package: $f"
done
# The Python module, in the folder Debian's Python reads for packages of the system.
if ls "$build"/python/qdx*.so >/dev/null 2>&1; then
  grep -Eq ' \./usr/lib/python3/dist-packages/qdx\.[^/]*\.so$' "$tmp/files" ||
    fail "the Python module is not in usr/lib/python3/dist-packages"
fi
# Files of other packages' caches, which their triggers make on the user's machine.
! grep -Eq '\./usr/share/mime/(mime\.cache|application/)|icon-theme\.cache|mimeinfo\.cache' "$tmp/files" ||
  fail "the package carries a generated cache"
awk '{print $6}' "$tmp/files" | grep -v '^\./usr/' | grep -v '^\./$' && fail "files outside /usr" || true

dpkg-deb -x "$deb" "$tmp/root"
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data" \
       XDG_DOCUMENTS_DIR="$tmp/home/docs" QT_QPA_PLATFORM=offscreen
unset QDX_COMMON_DIR
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_DOCUMENTS_DIR"
"$tmp/root/usr/bin/qdx" --version
"$tmp/root/usr/bin/qdx" rate --json >/dev/null
QDX_QUIT_AFTER_SHOW=1 "$tmp/root/usr/bin/qdx"

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  apt-get install -s "$deb" | grep -E '^(Inst|Conf) ' || true
fi
echo "package_check: $deb is sound"
