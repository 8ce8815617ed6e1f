#!/usr/bin/env bash
# Builds the Debian package from a build folder, validates what it ships
# and runs the programs it holds, extracted (nothing is installed).
set -euo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB >/dev/null)
deb=$build/mvul_2.3.14_amd64.deb
[ -f "$deb" ] || { echo "package: no $deb"; exit 1; }
dpkg-deb -x "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/mvul.desktop"
appstreamcli validate --no-net --pedantic "$tmp/root/usr/share/metainfo/org.example.mvul.metainfo.xml" >/dev/null
python3 -c 'import sys, xml.etree.ElementTree as t; r = t.parse(sys.argv[1]).getroot(); assert r.find("{http://www.freedesktop.org/standards/shared-mime-info}mime-type").get("type") == "application/x-mvul-fajl"' \
  "$tmp/root/usr/share/mime/packages/mvul.xml"
for f in usr/share/man/man1/mvul.1.gz usr/share/man/man1/mvulc.1.gz usr/share/icons/hicolor/scalable/apps/mvul.svg \
         usr/share/mvul/lists/targyak.dat usr/share/mvul/help/pbe.htm usr/share/doc/mvul/copyright; do
  [ -e "$tmp/root/$f" ] || { echo "package: not in it: $f"; exit 1; }
done
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || { echo "package: lintian reports errors"; exit 1; }
[ "$("$tmp/root/usr/bin/mvulc" --version)" = "mvulc 2.3.14" ] || { echo "package: mvulc --version"; exit 1; }
[ "$("$tmp/root/usr/bin/mvul" --version)" = "mvul 2.3.14" ] || { echo "package: mvul --version"; exit 1; }
mkdir "$tmp/dir"
printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\nbe,1,,,,,,5,0\r\n0\r\n5\r\n0\r\n2345\r\n' > "$tmp/2345-1.ulf"
"$tmp/root/usr/bin/mvulc" check --dir "$tmp/dir" "$tmp/2345-1.ulf" | grep -q '"tvp_total":"5"'
echo "package: ok"
