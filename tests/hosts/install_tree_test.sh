#!/usr/bin/env bash
# `cmake --install` of this build into a staging folder holds what the
# screensaver hosts and the package need. Usage: install_tree_test.sh BUILD_DIR
set -euo pipefail
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$1" --prefix "$stage/usr" >/dev/null
for f in libexec/xscreensaver/quillomar bin/quillomar; do
  [ -x "$stage/usr/$f" ] || { echo "missing program $f"; exit 1; }
done
for f in share/xscreensaver/config/quillomar.xml share/applications/screensavers/quillomar.desktop \
         share/man/man6/quillomar.6 lib/systemd/user/quillomar-idle.service; do
  [ -s "$stage/usr/$f" ] || { echo "missing $f"; exit 1; }
done
# The user unit must start the program where this prefix put it.
grep -qx "ExecStart=$stage/usr/bin/quillomar --on-idle 5" "$stage/usr/lib/systemd/user/quillomar-idle.service" ||
  { echo "the idle unit does not start $stage/usr/bin/quillomar"; exit 1; }
echo "install tree complete"
