#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into BUILD_DIR and runs the model
# loader's fuzzer for SECONDS (default 60) over a copy of the committed seed
# corpus, so a run never grows the repository. Exits non-zero on any finding.
# Usage: scripts/run-fuzz.sh BUILD_DIR [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: run-fuzz.sh BUILD_DIR [SECONDS]}
seconds=${2:-60}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQUILLOMAR_FUZZ=ON >/dev/null
cmake --build "$build" -t objl_fuzz -j 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/tests/fuzz/corpus" "$work/corpus"
mkdir -p "$work/artifacts"
# Findings land in the work directory first; copied out below before it goes.
set +e
"$build/tests/fuzz/objl_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -dict="$root/tests/fuzz/objl.dict" -artifact_prefix="$work/artifacts/" -print_final_stats=1 \
  "$work/corpus" >"$work/log" 2>&1
status=$?
set -e
grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|SUMMARY)' "$work/log" || true
if [ "$status" -ne 0 ]; then
  mkdir -p "$build/fuzz-artifacts"
  cp "$work"/artifacts/* "$build/fuzz-artifacts/" 2>/dev/null || true
  tail -40 "$work/log"
  echo "run-fuzz: objl_fuzz failed (exit $status); inputs kept in $build/fuzz-artifacts" >&2
  exit "$status"
fi
echo "run-fuzz: objl_fuzz passed"
