#!/usr/bin/env bash
# Fetches GLFW 3.3.8 from Debian's glfw3 source package, checks it and unpacks
# it into DEST (default ~/.cache/quillomar/glfw-3.3.8), outside the repository.
set -euo pipefail
dest=${1:-${HOME}/.cache/quillomar/glfw-3.3.8}
sha256=f30f42e05f11e5fc62483e513b0488d5bceeab7d9c5da0ffe2252ad81816c713
tarball=glfw3_3.3.8.orig.tar.gz

[ -f "$dest/include/GLFW/glfw3.h" ] && exit 0

work=$(dirname "$dest")/download
mkdir -p "$work"
if [ ! -f "$work/$tarball" ] || ! echo "$sha256  $work/$tarball" | sha256sum -c --quiet 2>/dev/null; then
  # apt only fetches sources when it knows a deb-src entry; derive one from the
  # machine's own binary entries rather than naming any host here.
  src=/etc/apt/sources.list.d/quillomar-deb-src.sources
  if ! apt-cache showsrc glfw3 2>/dev/null | grep -q '^Version: 3.3.8'; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src"
    apt-get update -qq
  fi
  (cd "$work" && apt-get source --download-only -qq glfw3=3.3.8-1 >/dev/null)
fi
echo "$sha256  $work/$tarball" | sha256sum -c --quiet || { echo "fetch-glfw-source: checksum mismatch for $tarball" >&2; exit 1; }

tmp=$(mktemp -d "$(dirname "$dest")/unpack.XXXXXX")
tar -xzf "$work/$tarball" -C "$tmp"
rm -rf "$dest"
mv "$tmp"/glfw-3.3.8 "$dest"
rmdir "$tmp"
