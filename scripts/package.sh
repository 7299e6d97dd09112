#!/usr/bin/env bash
# Builds the release packages from clean folders into dist/ (or the folder
# given): the Windows installer, the portable zip, Quillomar.scr itself, the
# Debian package, and SHA256SUMS over all of them. The same commit gives the
# same bytes in any folder: every date comes from the commit (SOURCE_DATE_EPOCH)
# and no path of this machine reaches a binary.
#   scripts/package.sh [dist folder]     QUILLOMAR_PACKAGE_BUILD: build folder
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$(mkdir -p "${1:-$root/dist}" && cd "${1:-$root/dist}" && pwd)
work=${QUILLOMAR_PACKAGE_BUILD:-$root/build/package}
jobs=${QUILLOMAR_JOBS:-$(nproc)}

bash "$root/scripts/install-deps.sh" --package
bash "$root/scripts/fetch-glfw-source.sh" >/dev/null

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
umask 022

rm -rf "$work/native" "$work/windows" "$work/stage"
configure() { # dir, extra cmake args
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLOMAR_RELEASE=ON \
    -DQUILLOMAR_TESTS=OFF "$@" >/dev/null
}
configure "$work/native"
configure "$work/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$work/native" -j "$jobs" --target quillomar
cmake --build "$work/windows" -j "$jobs" --target quillomar
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/native/CMakeCache.txt")

rm -f "$dist"/Quillomar* "$dist"/quillomar_* "$dist/SHA256SUMS"
scr=$work/windows/Quillomar.scr
cp "$scr" "$dist/Quillomar.scr"

# The portable zip: the saver, a read-me and the registry files that set the
# monitor choice, the text in Windows line endings.
stage=$work/stage/Quillomar-$version-win64
mkdir -p "$stage"
cp "$scr" "$stage/Quillomar.scr"
texts=(README.txt "Stars on every monitor.reg" "Stars on the primary monitor only.reg")
for name in "${texts[@]}"; do
  sed 's/$/\r/' "$root/data/windows/$name" > "$stage/$name"
done
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
(cd "$stage" && zip -q -X -D "$dist/Quillomar-$version-win64.zip" Quillomar.scr "${texts[@]}")

size_kb=$(( ($(stat -c %s "$scr") + 1023) / 1024 + 64 ))
makensis -V2 -DVERSION="$version" -DSCR="$scr" -DICON="$root/res/quillomar.ico" -DSIZE_KB="$size_kb" \
  -DOUTFILE="$dist/Quillomar-$version-setup.exe" "$root/data/windows/quillomar.nsi"

(cd "$work/native" && cpack -G DEB -B "$work/stage/deb" >/dev/null)
cp "$work/stage/deb/quillomar_${version}_amd64.deb" "$dist/"

(cd "$dist" && sha256sum Quillomar.scr "Quillomar-$version-setup.exe" "Quillomar-$version-win64.zip" \
  "quillomar_${version}_amd64.deb" > SHA256SUMS)
cat "$dist/SHA256SUMS"
