#!/usr/bin/env bash
# Runs a command inside a private Xvfb server (a free display picked by Xvfb
# itself, so several window tests can run side by side). -noreset: without it
# the server resets whenever its last client disconnects, and a connection
# made during that reset fails.
set -u
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
for _ in $(seq 200); do
  [ -s "$dir/display" ] && break
  sleep 0.05
done
if [ ! -s "$dir/display" ]; then
  echo "[with-display] Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  kill "$xvfb" 2>/dev/null
  rm -rf "$dir"
  exit 1
fi
export DISPLAY=":$(head -n1 "$dir/display")"
export ALSOFT_DRIVERS=null
"$@"
rc=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$dir"
exit $rc
