#!/usr/bin/env bash
# Builds the Debian package in a Release build folder (default: $HEATNET_BUILD or
# build/), unpacks it, calculates an example with the unpacked heatnet-calc (which
# then reads its tables from usr/share/heatnet) and compares the outputs byte for
# byte with those of the build tree's heatnet-calc; validates the menu entry and the
# AppStream data; lintian errors fail, warnings do not.
set -euo pipefail
build=$(cd "${1:-${HEATNET_BUILD:-$(dirname "$0")/../build}}" && pwd)

rm -f "$build"/heatnet_*.deb
cmake --build "$build" --target package >/dev/null
deb=$(echo "$build"/heatnet_*.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
test ! -e "$work/root/usr/bin/SLGJ.DAT"  # the installed tables come from share/heatnet
"$work/root/usr/bin/heatnet-calc" --version

calculate() {  # calculate HEATNET_CALC FOLDER: small_tree.TXT in a fresh folder
  mkdir "$2"
  cp "$work/root/usr/share/heatnet/examples/small_tree.TXT" "$2/"
  (cd "$2" && "$1" small_tree.TXT 2>messages.txt)
}
calculate "$work/root/usr/bin/heatnet-calc" "$work/installed"
calculate "$build/bin/heatnet-calc" "$work/built"
for output in small_tree_OUT.TXT small_tree.dxf 'small_tree#.TXT' messages.txt; do
  cmp "$work/installed/$output" "$work/built/$output"
done

desktop-file-validate "$work/root/usr/share/applications/heatnet.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.heatnet.metainfo.xml" >/dev/null
lintian --allow-root --fail-on error "$deb"
echo "package checked: $(basename "$deb")"
