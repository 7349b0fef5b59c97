#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there: the
# program, its desktop entry, every icon size and the metainfo, each at its XDG place and
# valid; then starts the installed program, which must show its window (run under the
# test run's X server); then packages it with CPack and checks the package's files and
# computed dependencies.
#   CheckInstall.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/picora
  share/applications/picora.desktop
  share/metainfo/picora.metainfo.xml
  share/icons/hicolor/scalable/apps/picora.svg
)
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/picora.png")
done
for f in "${expected[@]}"; do
  [ -s "$prefix/$f" ] || fail "not installed: $f"
done
for size in 16 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/picora.png")
  [ "$got" = "${size}x${size}" ] || fail "the ${size} px icon is $got"
done
desktop-file-validate "$prefix/share/applications/picora.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/picora.metainfo.xml" >"$work/as.log" 2>&1 ||
  { cat "$work/as.log" >&2; fail "metainfo"; }

# --help and --version answer in one line and need no display: without one, making a
# window would end the program with an error.
for option in --help --version; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/picora" "$option") ||
    fail "$option did not exit 0"
  [ "$(wc -l <<<"$out")" = 1 ] && [ -n "$out" ] || fail "$option printed: $out"
done
grep -qx "picora @VERSION@" <<<"$(env -u DISPLAY "$prefix/bin/picora" --version | sed "s/[0-9.]*$/@VERSION@/")" ||
  fail "--version names no version"
status=0
QT_QPA_PLATFORM=xcb "$prefix/bin/picora" --no-such-option >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown option exits $status"

# The installed program runs on its own: it does not look for libraries in the build.
if readelf -d "$prefix/bin/picora" | grep -E 'RPATH|RUNPATH' | grep -qF "$(cd "$build" && pwd)"; then
  fail "the installed program still searches the build folder"
fi
QT_QPA_PLATFORM=xcb HOME="$work" "$prefix/bin/picora" >"$work/run.log" 2>&1 &
pid=$!
shown=""
for _ in $(seq 1 100); do
  if xwininfo -root -tree 2>/dev/null | grep -q "Picora图片浏览器"; then
    shown=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""
[ -n "$shown" ] || { cat "$work/run.log" >&2; fail "the installed program showed no window"; }

# The package holds the same files, and its dependencies were computed, not listed.
(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in "${expected[@]}"; do
  grep -q "\./usr/$f\$" <<<"$contents" || fail "not in the package: $f"
done
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libjpeg62-turbo; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
# Every library the program loads comes from a package the dependencies name.
libraries=$(ldconfig -p)
for soname in $(readelf -d "$prefix/bin/picora" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  path=$(awk -v n="$soname" '$1 == n { print $NF }' <<<"$libraries" | head -1)
  [ -n "$path" ] || fail "$soname is not installed here"
  # Merged /usr: the package database may know the file under /lib or under /usr/lib.
  real=$(readlink -f "$path")
  owners=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$real" 2>/dev/null ||
    dpkg -S "${real#/usr}" 2>/dev/null || true)
  package=$(head -1 <<<"$owners" | cut -d: -f1)
  [ -n "$package" ] || fail "no package holds $soname"
  grep -qw "$package" <<<"$depends" || fail "Depends lacks $package (for $soname): $depends"
done
echo "installed, started and packaged: $deb"
