#!/usr/bin/env bash
# The installed tree: `cmake --install` into a staging folder (DESTDIR), then the installed
# programs run from there with the source and build trees out of reach, their results compared
# with the build tree's, and the desktop entries and file types checked with the freedesktop.org
# tools.
#   install_tree_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install_tree_test: $*" >&2; exit 1; }

# Each run gets folders of its own, so nothing is shared through the maker folder.
home_for() {
  local h="$tmp/$1"
  mkdir -p "$h/config" "$h/data" "$h/docs" "$h/run"
  chmod 700 "$h/run"
  echo "HOME=$h XDG_CONFIG_HOME=$h/config XDG_DATA_HOME=$h/data XDG_DOCUMENTS_DIR=$h/docs XDG_RUNTIME_DIR=$h/run"
}
run_as() {  # run_as NAME COMMAND...: the command in NAME's folders
  local who=$1; shift
  env -u QDX_COMMON_DIR $(home_for "$who") QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$@"
}

root="$tmp/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
prefix="$root/usr"
for f in bin/qdx bin/qdx-aerograph lib/qdx/qdx-desktop.so share/qdx/CoilMakers.xml \
         share/qdx/Regions.idx share/qdx/help/Coils.htm share/applications/qdx.desktop \
         share/applications/qdx-aerograph.desktop share/mime/packages/qdx.xml \
         share/icons/hicolor/scalable/apps/qdx.svg share/icons/hicolor/scalable/apps/qdx-aerograph.svg; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done

# The installed programs must find their data in the installed tree: mark its catalogue, which
# the first run copies into the maker folder.
printf '<!-- the installed copy -->\n' >>"$prefix/share/qdx/CoilMakers.xml"

cat >"$tmp/coil.psy" <<'PSY'
'Aerograph 1.0 data file'
'Plant room'
'P-1'
0
''
''
'07 03 2004'
101.325
5.00, 35.00, 0.00100, 0.02000
'Node1', 'On', 25.000, 17.000, ''
'Node2', 'Off', 11.623, 10.919, ''
'Process1', 'Coil', 'Node1', 'Node2', 1.3461, ''
PSY

run_as built "$build/qdx" rate --json >"$tmp/built.json"
run_as built "$build/qdx-aerograph" --export "$tmp/built.png" "$tmp/coil.psy"

# The installed runs, with the source tree (and the build tree when it lies inside it) hidden
# behind empty folders where the system allows a private mount namespace.
installed_runs() {
  set -e
  "$prefix/bin/qdx" --version >"$tmp/version.txt"
  "$prefix/bin/qdx" rate --json >"$tmp/installed.json"
  "$prefix/bin/qdx-aerograph" --export "$tmp/installed.png" "$tmp/coil.psy"
  QDX_QUIT_AFTER_SHOW=1 "$prefix/bin/qdx" >/dev/null 2>"$tmp/desktop.err"
}
export -f installed_runs
export prefix tmp
hide="mount -t tmpfs none '$source'"
case "$build/" in "$source"/*) ;; *) hide="$hide && mount -t tmpfs none '$build'" ;; esac
if unshare -rm sh -c "$hide" 2>/dev/null; then
  run_as installed unshare -rm bash -c "$hide && [ ! -e '$source/data' ] && installed_runs"
else
  echo "install_tree_test: no private mount namespace here; the source tree stays visible" >&2
  run_as installed bash -c installed_runs
fi

cmp -s "$tmp/built.json" "$tmp/installed.json" || {
  diff "$tmp/built.json" "$tmp/installed.json" | head -20 >&2; fail "qdx rate --json differs"; }
grep -q '^QDX ' "$tmp/version.txt" || fail "qdx --version printed: $(cat "$tmp/version.txt")"
tail -n 1 "$tmp/installed/data/Calorix/Common Files/CoilMakers.xml" | grep -q 'the installed copy' ||
  fail "the installed qdx did not take its catalogue from the installed tree"
[ "$(head -c 8 "$tmp/installed.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "qdx-aerograph --export wrote no PNG"
[ "$(stat -c %s "$tmp/installed.png")" -gt 20000 ] || fail "the exported chart is nearly empty"
cmp -s "$tmp/built.png" "$tmp/installed.png" || fail "the installed chart differs from the built one"

# The Python module: installed where the system's Python looks for the modules of /usr, and
# giving the results of the installed qdx.
if [ -d "$build/python" ] && ls "$build"/python/qdx*.so >/dev/null 2>&1; then
  module=$(cd "$root" && ls usr/lib/python3*/*-packages/qdx*.so 2>/dev/null | head -n 1)
  [ -n "$module" ] || fail "the Python module is not installed under a Python module folder of /usr"
  folder="/$(dirname "$module")"
  /usr/bin/python3 -c 'import sys; sys.exit(0 if sys.argv[1] in sys.path else 1)' "$folder" ||
    fail "the system's Python does not look in $folder"
  run_as installed env PYTHONPATH="$root$folder" /usr/bin/python3 -c '
import json, sys, qdx
project = qdx.Project()
project.solve()
sys.exit(0 if project.results() == json.load(open(sys.argv[1])) else 1)' "$tmp/built.json" ||
    fail "the installed Python module does not give the results of qdx rate --json"
fi

# The desktop entries and the file types.
desktop-file-validate "$prefix/share/applications/qdx.desktop" \
  "$prefix/share/applications/qdx-aerograph.desktop"
xmllint --noout "$prefix/share/mime/packages/qdx.xml"
xdg="$tmp/xdg"
mkdir -p "$xdg/mime/packages"
cp "$prefix/share/mime/packages/qdx.xml" "$xdg/mime/packages/"
XDG_DATA_HOME="$xdg" update-mime-database "$xdg/mime" 2>"$tmp/mime.err"
[ ! -s "$tmp/mime.err" ] || { cat "$tmp/mime.err" >&2; fail "update-mime-database complained"; }
printf '<?xml version="1.0" encoding="UTF-8"?>\n<datafile version="1"/>\n' >"$tmp/x.cqx"
cp "$tmp/x.cqx" "$tmp/project-without-extension"
cp "$tmp/coil.psy" "$tmp/x.psy"
filetype() {
  XDG_DATA_HOME="$xdg" XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$1"
}
for case in "x.cqx application/x-qdx-project" "project-without-extension application/x-qdx-project" \
            "x.psy application/x-aerograph-process"; do
  set -- $case
  got=$(filetype "$tmp/$1")
  [ "$got" = "$2" ] || fail "xdg-mime query filetype $1 gave '$got', not $2"
done
echo "install_tree_test: installed tree runs; $(cat "$tmp/version.txt")"
