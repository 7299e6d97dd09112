#!/usr/bin/env bash
# Builds quillomar and runs the saver on the current display. With no display
# it starts a virtual one, lets the saver run a few seconds and saves a
# screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLOMAR_BUILD:-$root/build}/run

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DQUILLOMAR_TESTS=OFF >/dev/null
cmake --build "$build" --target quillomar

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Running the saver on $DISPLAY; press any key or click to end it."
  exec "$build/quillomar" /s
fi

numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
xvfb=$!
saver=
trap 'kill $saver $xvfb 2>/dev/null || true; rm -f "$numfile"' EXIT
for _ in $(seq 1 200); do grep -q . "$numfile" && break; sleep 0.05; done
n=$(head -n1 "$numfile")
[ -n "$n" ] || { echo "could not start Xvfb" >&2; exit 1; }
export DISPLAY=:$n
"$build/quillomar" /s &
saver=$!
sleep 6
shot=$build/quillomar-screenshot.png
xwd -root -silent | /usr/bin/convert xwd:- "$shot"
echo "No display was set: the saver ran on a virtual one (Xvfb $DISPLAY) for 6 seconds."
echo "Screenshot: $shot"
