#!/usr/bin/env bash
# Installs the Debian package on this machine, checks what it put where and
# that XScreenSaver's configuration file names the installed program, then
# purges it. Usage: deb_test.sh path/to/quillomar_<version>_amd64.deb
set -uo pipefail
deb=${1:?usage: deb_test.sh PACKAGE.deb}
deb=$(realpath "$deb")
if [ "$(id -u)" -ne 0 ] || ! command -v dpkg >/dev/null; then
  echo "SKIPPED: installing a package needs root and dpkg"; exit 77
fi
if dpkg-query -W quillomar >/dev/null 2>&1; then
  echo "quillomar is installed already; not touching it"; exit 1
fi
fail() { echo "FAIL: $*"; status=1; }
status=0
trap 'dpkg --purge quillomar >/dev/null 2>&1' EXIT

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null 2>&1 || dpkg -i "$deb" || { echo "FAIL: install"; exit 1; }

for f in /usr/libexec/xscreensaver/quillomar /usr/bin/quillomar; do
  [ -x "$f" ] || fail "$f is not an installed program"
done
for f in /usr/share/xscreensaver/config/quillomar.xml /usr/share/applications/screensavers/quillomar.desktop \
         /usr/share/man/man6/quillomar.6 /usr/lib/systemd/user/quillomar-idle.service; do
  [ -f "$f" ] || fail "$f is missing"
done
grep -qx 'ExecStart=/usr/bin/quillomar --on-idle 5' /usr/lib/systemd/user/quillomar-idle.service ||
  fail "the idle unit does not start /usr/bin/quillomar"
# Installed for the user to enable, never enabled by the package.
[ -z "$(find /etc/systemd/user -name quillomar-idle.service 2>/dev/null)" ] || fail "the idle unit is enabled"
version=$(dpkg-query -W -f='${Version}' quillomar)
[ "$(/usr/bin/quillomar --version)" = "quillomar $version" ] || fail "--version does not print $version"
grep -qx 'Categories=Screensaver;' /usr/share/applications/screensavers/quillomar.desktop || fail "desktop entry category"

# What xscreensaver-settings reads: the name is the program in its folder.
python3 - <<'PY' || fail "XScreenSaver configuration file"
import os, sys, xml.etree.ElementTree as ET
root = ET.parse("/usr/share/xscreensaver/config/quillomar.xml").getroot()
command = root.find("command")
checks = [root.tag == "screensaver", root.get("_label") == "Quillomar",
          os.access(os.path.join("/usr/libexec/xscreensaver", root.get("name", "")), os.X_OK),
          command is not None and command.get("arg") == "--root",
          (root.findtext("_description") or "").strip() != ""]
sys.exit(0 if all(checks) else 1)
PY

dpkg --purge quillomar >/dev/null || fail "purge"
[ ! -e /usr/libexec/xscreensaver/quillomar ] || fail "the program stayed after purging"
[ $status -eq 0 ] && echo "deb_test: all checks passed"
exit $status
