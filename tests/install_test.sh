#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the installed
# copy keeps the player's files in a fresh per-user data directory, seeded
# with the default lists, and finds its help.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
for f in bin/mvul bin/mvulc share/mvul/help/topic167.htm share/mvul/help/pbe.htm share/mvul/olvassel.txt \
         share/mvul/lists/galetkik.dat share/applications/mvul.desktop share/icons/hicolor/scalable/apps/mvul.svg; do
  [ -e "$tmp/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
sheet=$tmp/2345-1.ulf
printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\nbe,1,,,,,,5,0\r\n0\r\n5\r\n0\r\n2345\r\n' > "$sheet"
HOME=$tmp/home XDG_DATA_HOME= "$tmp/prefix/bin/mvulc" check "$sheet" | grep -q '"tvp_total":"5"'
[ ! -e "$tmp/home/.local/share/mvul" ] || { echo "mvulc wrote into the program directory"; exit 1; }
[ "$("$tmp/prefix/bin/mvul" --version)" = "mvul 2.3.14" ] || { echo "mvul --version"; exit 1; }
# The window's first start makes the directory and seeds it once.
HOME=$tmp/home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen timeout 5 "$tmp/prefix/bin/mvul" >/dev/null 2>&1 || true
[ -e "$tmp/home/.local/share/mvul/galetkik.dat" ] || { echo "the per-user directory was not seeded"; exit 1; }
[ "$(stat -c %a "$tmp/home/.local/share/mvul")" = 700 ] || { echo "the per-user directory is not private"; exit 1; }
[ ! -e "$tmp/prefix/bin/mv.ini" ] || { echo "the installed copy wrote into its bin folder"; exit 1; }
echo "install: ok"
