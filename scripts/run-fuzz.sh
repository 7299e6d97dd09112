#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into BUILD_DIR and runs the model
# loader's fuzzer for SECONDS (default 60), one worker per core, each over its
# own copy of the committed seed corpus, so a run never grows the repository.
# Exits non-zero on any finding.
# Usage: scripts/run-fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUILLOMAR_FUZZ=ON >/dev/null
cmake --build "$build" -t objl_fuzz -j 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
workers=$(nproc)
# Findings land in the work directory first; copied out below before it goes.
pids=()
for i in $(seq "$workers"); do
  mkdir -p "$work/$i/artifacts"
  cp -r "$root/tests/fuzz/corpus" "$work/$i/corpus"
  "$build/tests/fuzz/objl_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -seed="$i" \
    -dict="$root/tests/fuzz/objl.dict" -artifact_prefix="$work/$i/artifacts/" -print_final_stats=1 \
    "$work/$i/corpus" >"$work/$i/log" 2>&1 &
  pids+=($!)
done
status=0
for i in $(seq "$workers"); do
  wait "${pids[$((i - 1))]}" || status=$?
done
runs=$(cat "$work"/*/log | sed -n 's/^stat::number_of_executed_units: *//p' | awk '{n += $1} END {print n + 0}')
echo "objl_fuzz: $runs inputs in $seconds s on $workers workers"
if [ "$status" -ne 0 ]; then
  mkdir -p "$build/fuzz-artifacts"
  cp "$work"/*/artifacts/* "$build/fuzz-artifacts/" 2>/dev/null || true
  grep -h -A30 '^==' "$work"/*/log | head -60
  echo "run-fuzz: objl_fuzz failed (exit $status); inputs kept in $build/fuzz-artifacts" >&2
  exit "$status"
fi
echo "run-fuzz: objl_fuzz passed"
