# Sourced by the scripts that need an X display when there is none: start_own_xvfb SCREEN starts
# an Xvfb on the first free display number, exports DISPLAY, waits until it answers and leaves its
# pid in $xvfb for the caller's clean-up.
start_own_xvfb() {
  local number=77
  while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$number"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
