#!/usr/bin/env bash
# Intro frames on time: for RUNS starts of the shell in the demo package under
# a private Xvfb (the soundfont loading meanwhile), how far each intro frame
# k = 1..12 lands from k x 350 ms after the first frame (the activation
# follows it at once). Prints the worst frame of each run and the median of
# those. Target: every frame within 20 ms.
# usage: bench/intro_frames.sh [BINARY] [RUNS] [PACKAGE]
set -euo pipefail
binary=$(realpath "${1:-build/pipkin-sprout}")
runs=${2:-5}
package=$(realpath "${3:-build/demo-package}")
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT

exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 800x600x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/displayfd")"
export SDL_AUDIODRIVER=dummy HOME="$work" ALLUSERSPROFILE="$work/profile"
cd "$package"

worst=()
for i in $(seq "$runs"); do
  rm -f "$work/trace.txt"
  SPROUT_TRACE="$work/trace.txt" "$binary" &
  pid=$!
  for _ in $(seq 100); do grep -q 'visible.afrbut.1' "$work/trace.txt" 2>/dev/null && break; sleep 0.1; done
  kill -TERM $pid; wait $pid || true
  w=$(awk -F'\t' '
    $2 == "first-frame" { start = $1 }
    $2 == "background" && match($3, /m_[0-9]+\.jpg$/) {
      k = substr($3, RSTART + 2, RLENGTH - 6) + 0
      if (!(k in seen) && k >= 1 && k <= 12) {
        seen[k] = 1; d = $1 - start - 350 * k; if (d < 0) d = -d; if (d > worst) worst = d
        line = line sprintf(" %d:%+d", k, $1 - start - 350 * k)
      }
    }
    END { print worst; print line > "/dev/stderr" }' "$work/trace.txt")
  worst+=("$w")
done
sorted=($(printf '%s\n' "${worst[@]}" | sort -n))
echo "intro frames: worst offset per run ${worst[*]} ms; median $(( ${sorted[$(( runs / 2 ))]} )) ms ($runs runs)"
