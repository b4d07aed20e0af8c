#!/usr/bin/env bash
# What the guardian costs while the shell runs, and how soon it puts the
# desktop back after the shell is killed, under a private Xvfb (1024 x 768
# with an 800 x 600 mode added, left-handed buttons):
#  - the guardian's processor time over IDLE seconds of a running shell;
#  - its resident memory (VmRSS, and Pss: its share of pages it shares);
#  - from SIGKILL of a switched shell to the screen at 1024 x 768 and the
#    pointer mapping back, median of RUNS kills.
# usage: bench/guardian.sh [BINARY] [RUNS] [IDLE]
set -euo pipefail
binary=$(realpath "${1:-build/pipkin-sprout}")
runs=${2:-9}
idle=${3:-10}
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

source "$(dirname "$(realpath "$0")")/xvfb.sh"
start_xvfb 1024x768x24 "$work"
export SDL_AUDIODRIVER=dummy HOME="$work" SPROUT_TRACE="$work/trace.txt"
xrandr --newmode 800x600 0 800 800 800 800 600 600 600 600
xrandr --addmode screen 800x600
xmodmap -e 'pointer = 3 2 1' 2>/dev/null
cd "$work"

screen_is() { xrandr --current | grep -q "current $1,"; }
buttons() { xmodmap -pp | awk '$1 ~ /^[123]$/ { printf "%s", $2 }'; }
# The guardian of this run's shell: the one whose environment names its trace.
guardian_pid() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(cat "$p/comm" 2>/dev/null)" = sprout-guardian ] || continue
    grep -qz "^SPROUT_TRACE=$SPROUT_TRACE\$" "$p/environ" 2>/dev/null && { echo "${p#/proc/}"; return; }
  done
}
start_switched() {
  rm -f "$SPROUT_TRACE"
  "$binary" & shell=$!
  local limit=$(( SECONDS + 20 ))
  until [ -f "$SPROUT_TRACE" ] && grep -q first-frame "$SPROUT_TRACE"; do
    [ $SECONDS -lt $limit ] || { echo "bench/guardian.sh: the shell did not start" >&2; exit 1; }
    sleep 0.05
  done
  screen_is "800 x 600" || { echo "bench/guardian.sh: the screen was not switched" >&2; exit 1; }
  guardian=$(guardian_pid)
  [ -n "$guardian" ] || { echo "bench/guardian.sh: no guardian" >&2; exit 1; }
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
hz=$(getconf CLK_TCK)
cpu_ms() { awk -v hz="$hz" '{ sub(/^.*\) /, ""); print int(($12 + $13) * 1000 / hz) }' "/proc/$1/stat"; }

start_switched
before=$(cpu_ms "$guardian")
sleep "$idle"
echo "guardian CPU over ${idle} s of a running shell: $(( $(cpu_ms "$guardian") - before )) ms"
kill -TERM "$shell"; wait "$shell" || true

rss=() pss=() restored=()
for _ in $(seq "$runs"); do
  start_switched
  rss+=("$(awk '/^VmRSS/ { print $2 }' "/proc/$guardian/status")")
  pss+=("$(awk '/^Pss:/ { print $2 }' "/proc/$guardian/smaps_rollup")")
  # As a shell dying in the middle of its own restore would leave it.
  xmodmap -e 'pointer = 1 2 3' 2>/dev/null
  killed=$(( ${EPOCHREALTIME/./} / 1000 ))
  kill -KILL "$shell"; wait "$shell" 2>/dev/null || true
  limit=$(( SECONDS + 5 ))
  until screen_is "1024 x 768" && [ "$(buttons)" = 321 ]; do
    [ $SECONDS -lt $limit ] || { echo "bench/guardian.sh: the desktop did not come back" >&2; exit 1; }
  done
  restored+=($(( ${EPOCHREALTIME/./} / 1000 - killed )))
  xmodmap -e 'pointer = 3 2 1' 2>/dev/null
done
echo "guardian resident memory: VmRSS median $(median "${rss[@]}") KiB, Pss median $(median "${pss[@]}") KiB ($runs runs)"
sorted=($(printf '%s\n' "${restored[@]}" | sort -n))
echo "SIGKILL to screen and buttons back: median ${sorted[$(( runs / 2 ))]} ms (min ${sorted[0]}, max ${sorted[$(( runs - 1 ))]}, $runs runs)"
