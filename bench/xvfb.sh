# Sourced by the bench scripts. start_xvfb SCREEN FOLDER starts a private
# Xvfb (with -noreset, so modes and the pointer mapping outlive their
# clients), leaves its process id in $xvfb and exports its DISPLAY.
start_xvfb() {
  exec 3<> "$2/displayfd"
  Xvfb -displayfd 3 -screen 0 "$1" -noreset -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$2/displayfd" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -1 "$2/displayfd")"
}
