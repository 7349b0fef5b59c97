#!/usr/bin/env bash
# A second visit to a folder: Picora's thumbnail build with a warm thumbnail cache (one
# build before, in a fresh XDG_CACHE_HOME) against `vipsthumbnail -s 64` on the same files,
# one run each, files already in the page cache. Prints the cold (first) build too, and
# ratio=<warm picora/vips> last.
#
#   bench/thumbnails_cached_vs_vips.sh [DIR]
#
# Without DIR it uses the photographs of Debian's mate-backgrounds package (installed when
# missing), copied into one folder in /tmp. With REFERENCE_BENCH=<a bench_thumbnails built
# from another commit> it also times that one's build of the same folder with an empty
# cache and prints cold_vs_reference=<cold picora/reference>.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$repo"
install_if_missing vipsthumbnail libvips-tools

dir="${1:-}"
if [ -z "$dir" ]; then
  wallpapers=/usr/share/backgrounds/mate
  if [ ! -d "$wallpapers" ]; then
    echo "installing mate-backgrounds for its photographs" >&2
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends mate-backgrounds >/dev/null
  fi
  dir=/tmp/picora-bench-wallpapers
  mkdir -p "$dir"
  find "$wallpapers" -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) -exec cp -u {} "$dir" \;
fi
dir=$(cd "$dir" && pwd)

build_targets bench_thumbnails

mapfile -t pictures < <(find "$dir" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.jpeg' \
  -o -iname '*.bmp' -o -iname '*.gif' \) | sort)
[ ${#pictures[@]} -gt 0 ] || { echo "no pictures in $dir" >&2; exit 1; }
cat "${pictures[@]}" >/dev/null  # every run reads from memory

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# seconds BENCH CACHE_HOME: one build of the folder with that thumbnail cache.
seconds() {
  XDG_CACHE_HOME="$2" with_display "$1" "$dir" 2>/dev/null | sed -n 's/^picora_seconds=//p'
}

mkdir -p "$work/cache"
cold=$(seconds "$build/bench/bench_thumbnails" "$work/cache")
warm=$(seconds "$build/bench/bench_thumbnails" "$work/cache")
thumbnails=$(find "$work/cache/thumbnails/normal" -name '*.png' 2>/dev/null | wc -l)

reference=""
if [ -n "${REFERENCE_BENCH:-}" ]; then
  mkdir -p "$work/reference"
  reference=$(seconds "$REFERENCE_BENCH" "$work/reference")
fi

mkdir -p "$work/vips"
start=$(date +%s.%N)
vipsthumbnail -s 64 -o "$work/vips/%s.jpg" "${pictures[@]}"
end=$(date +%s.%N)
vips=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')

echo "folder=$dir"
echo "cores=$(nproc)"
echo "files=${#pictures[@]} thumbnails_written=$thumbnails"
echo "picora_cold_seconds=$cold picora_warm_seconds=$warm vips_seconds=$vips"
if [ -n "$reference" ]; then
  echo "reference_seconds=$reference"
  awk -v c="$cold" -v r="$reference" 'BEGIN { printf "cold_vs_reference=%.3f\n", c / r }'
fi
awk -v c="$cold" -v v="$vips" 'BEGIN { printf "cold_ratio=%.3f\n", c / v }'
awk -v w="$warm" -v v="$vips" 'BEGIN { printf "ratio=%.3f\n", w / v }'
