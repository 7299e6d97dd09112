#!/usr/bin/env bash
# Builds both programs and runs every test: the format check; the native build
# with its unit, render and end-to-end tests; the Windows build under Wine; the
# unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer; the
# release packages, built twice; the fuzzers. Each stage builds only what it runs.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLOMAR_BUILD:-$root/build}
jobs=$(nproc)

bash "$root/scripts/install-deps.sh" --test || exit 1
bash "$root/scripts/fetch-glfw-source.sh" || exit 1

passed=0; failed=0; broken=(); times=()
# ctest's own closing line, added up over every stage.
tally() {
  local log=$1 line p t
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    t=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
    f=$(echo "$line" | sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/')
    passed=$((passed + t - f)); failed=$((failed + f))
  fi
}
stage() { # name, then the command
  local name=$1; shift
  echo "=== $name"
  local log=$build/$name.log
  mkdir -p "$build"
  local start=$SECONDS
  if ! "$@" 2>&1 | tee "$log"; then broken+=("$name"); fi
  tally "$log"
  times+=("$name $((SECONDS - start)) s")
}
run_ctest() { # dir, extra ctest args
  local dir=$1; shift
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 "$@"
}
build_tree() { # dir, cmake args
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null && cmake --build "$dir" -j "$jobs"
}
# Only the programs behind the tests labelled $2 (and the saver, which the
# install test installs): the rest is built and run by the other stages.
build_tests_labelled() { # dir, label, cmake args
  local dir=$1 label=$2; shift 2
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null || return 1
  local targets
  # A test program not built yet has no command: its test bears its name.
  targets=$(ctest --test-dir "$dir" -L "$label" --show-only=json-v1 |
    python3 -c 'import json, sys
print(*(t["name"] for t in json.load(sys.stdin)["tests"] if not t.get("command")))')
  cmake --build "$dir" -j "$jobs" --target quillomar $targets
}
check_format() {
  local bad
  bad=$(cd "$root" && git ls-files -co --exclude-standard '*.c' '*.cpp' '*.h' |
    xargs clang-format --dry-run -Werror 2>&1 | grep -o '^[^:]*:[0-9]*' | sort -u)
  [ -z "$bad" ] && echo "format: every source matches .clang-format" && return 0
  printf 'format: these differ from .clang-format (clang-format -i them):\n%s\n' "$bad"
  return 1
}

stage format check_format
stage native-build build_tree "$build/native"
# The native end-to-end runs wait on timers and compositors much of the time,
# and Wine's runs take turns and leave a core idle: the Windows build, then
# the sanitizer build and the fuzzer, which need neither display nor Wine, use
# what they leave, at the lowest priority. Their stages below wait for them
# and show their output.
in_background() { # name, then the command
  local name=$1; shift
  "$@" >"$build/$name.out" 2>&1
  echo $? >"$build/$name.status"
}
rm -f "$build"/{windows-build,sanitize-build,fuzz}.{out,status}
(renice -n 19 -p $BASHPID >/dev/null
  in_background windows-build build_tree "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
  in_background sanitize-build build_tests_labelled "$build/sanitize" "unit|sanitize" -DQUILLOMAR_SANITIZE=ON
  if [ -x "$root/scripts/run-fuzz.sh" ]; then in_background fuzz bash "$root/scripts/run-fuzz.sh" "$build/fuzz" 60; fi) &
background=$!
finished() { # name
  while [ ! -f "$build/$1.status" ] && kill -0 "$background" 2>/dev/null; do sleep 1; done
  cat "$build/$1.out"
  return "$(cat "$build/$1.status" 2>/dev/null || echo 1)"
}
stage native-tests run_ctest "$build/native"
stage windows-build finished windows-build
# One Wine prefix means one wineserver for every run: they take turns. A test
# that fails is run once more: on a busy machine Wine now and then ends a run
# with 1 that passes when run again alone.
stage windows-tests run_ctest "$build/windows" -j 1 --repeat until-pass:2
stage sanitize-build finished sanitize-build
stage sanitize-tests run_ctest "$build/sanitize" -L "unit|sanitize"
# The release packages twice, the second time from a copy of the tree in other
# folders: the checksums must agree. Then the installer under Wine and the
# Debian package.
package_twice() {
  local a=$build/package-a b=$build/package-b copy=$build/package-src
  export SOURCE_DATE_EPOCH
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
  QUILLOMAR_PACKAGE_BUILD=$a bash "$root/scripts/package.sh" "$a/dist" || return 1
  rm -rf "$copy" && mkdir -p "$copy"
  (cd "$root" && git ls-files -co --exclude-standard -z | tar --null --ignore-failed-read -T - -c) | tar -x -C "$copy"
  QUILLOMAR_PACKAGE_BUILD=$b bash "$copy/scripts/package.sh" "$b/dist" >/dev/null || return 1
  if ! diff "$a/dist/SHA256SUMS" "$b/dist/SHA256SUMS"; then
    echo "package: the two builds differ"
    return 1
  fi
  local ok=0
  python3 "$root/tests/packaging/release_test.py" "$a/dist" || ok=1
  if [ -f "$root/tests/packaging/deb_test.sh" ]; then
    bash "$root/tests/packaging/deb_test.sh" "$a"/dist/quillomar_*_amd64.deb || ok=1
  fi
  return $ok
}
stage package package_twice
if [ -x "$root/scripts/run-fuzz.sh" ]; then
  stage fuzz finished fuzz
fi

for name in format native-build windows-build sanitize-build package; do
  if printf '%s\n' "${broken[@]}" | grep -qx "$name"; then failed=$((failed + 1)); fi
done
echo
echo "stage times: $(IFS=,; echo "${times[*]}" | sed 's/,/, /g')"
[ ${#broken[@]} -gt 0 ] && echo "stages that failed: ${broken[*]}"
echo "$passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ] && [ "$failed" -eq 0 ]
