#!/usr/bin/env bash
# Start-up and idle cost of the shell under a private Xvfb.
#  - exec to the first presented frame (the trace's first-frame line), median
#    of RUNS starts;
#  - CPU time the process uses over IDLE seconds after start-up.
# usage: bench/startup.sh [BINARY] [RUNS] [IDLE] [INSTALL_FOLDER]
# (the install folder defaults to an empty one)
set -euo pipefail
binary=$(realpath "${1:-build/pipkin-sprout}")
runs=${2:-15}
idle=${3:-10}
work=$(mktemp -d)
install=$(realpath "${4:-$work}")
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 800x600x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/displayfd")"
export SDL_AUDIODRIVER=dummy HOME="$work"
cd "$install"

now_ns() { echo $(( ${EPOCHREALTIME/./} * 1000 )); }
# Builtins only: forking a poller per check would steal the CPU being measured.
first_frame_seen() {
  local line
  [ -f "$work/trace.txt" ] || return 1
  while IFS= read -r line; do [[ $line == *first-frame* ]] && return 0; done < "$work/trace.txt"
  return 1
}
times=()
for i in $(seq "$runs"); do
  rm -f "$work/trace.txt"
  start=$(now_ns)
  SPROUT_TRACE="$work/trace.txt" "$binary" &
  pid=$!
  until first_frame_seen; do :; done
  end=$(now_ns)
  times+=($(( (end - start) / 1000000 )))
  kill -TERM $pid; wait $pid || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "exec to first-frame: median ${sorted[$(( runs / 2 ))]} ms (min ${sorted[0]}, max ${sorted[$(( runs - 1 ))]}, $runs runs)"

SPROUT_TRACE="$work/trace.txt" "$binary" &
pid=$!
sleep 1
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before=$(ticks $pid)
sleep "$idle"
after=$(ticks $pid)
hz=$(getconf CLK_TCK)
echo "idle CPU over ${idle} s: $(( (after - before) * 1000 / hz )) ms"
kill -TERM $pid; wait $pid || true
