#!/usr/bin/env bash
# Regenerates the README's picture, docs/quillomar.gif: the saver's scene from
# a fixed seed and a scripted clock, rendered off screen on a private display,
# 640 x 360, four seconds at 25 frames a second after twelve seconds of warm-up
# (so the sky has filled). The PNG frames stay in build/capture/frames.
#   scripts/capture.sh [output.gif]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/quillomar.gif}
build=${QUILLOMAR_BUILD:-$root/build}/capture
frames=$build/frames

bash "$root/scripts/install-deps.sh" --test
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLOMAR_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target capture_frames
rm -rf "$frames" && mkdir -p "$frames" "$(dirname "$out")"
# The model loader's progress lines go to standard output; keep only ours.
timeout 300 "$root/tests/support/with-display" --size 640x360 "$build/tools/capture_frames" "$frames" \
  --size 640x360 --start 1.23456 --step 0.04 --skip 300 --frames 100 | tail -n 1
timeout 600 convert -delay 4 -loop 0 "$frames"/frame_*.png -layers OptimizeTransparency "$build/raw.gif"
gifsicle -O3 --colors 128 "$build/raw.gif" -o "$out"
size=$(stat -c %s "$out")
echo "$out: $size bytes"
[ "$size" -lt 2000000 ] || { echo "capture: the picture is over 2 MB" >&2; exit 1; }
