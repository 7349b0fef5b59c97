# Shared by the benchmark scripts: where the build is, installing a reference tool,
# building bench targets, running under a virtual X server, and timing helpers.
# Source it after `set -euo pipefail`.
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$repo/build}"

# install_if_missing COMMAND PACKAGE: the reference tools are installed by the benchmarks
# that need them only, never by scripts/setup.
install_if_missing() {
  command -v "$1" >/dev/null && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "installing $2 for $1" >&2
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "$2" >/dev/null
}

# build_targets TARGET...: configures the Release build when needed and builds them.
build_targets() {
  [ -f "$build/CMakeCache.txt" ] ||
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target "$@" -j2 >/dev/null
}

# with_display COMMAND...: runs it on the current display, or under xvfb-run without one.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}

# run_ms COMMAND...: milliseconds of one run, output discarded.
run_ms() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  local end=$EPOCHREALTIME
  echo "$start $end" | awk '{ printf "%.3f\n", ($2 - $1) * 1000 }'
}

# median: of the numbers on standard input, one per line.
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
