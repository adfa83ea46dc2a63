#!/usr/bin/env bash
# Installs what heatnet needs, builds it and calculates the bundled example network.
source "$(dirname "$0")/scripts/setup_common.sh"
install_packages
build_heatnet

work="$HEATNET_BUILD/example-run"
mkdir -p "$work"
cp "$HEATNET_ROOT/examples/small_tree.TXT" "$work/"
"$HEATNET_BUILD/bin/heatnet-calc" "$work/small_tree.TXT"
echo
echo "Outputs of the example network are in $work:"
ls -1 "$work"
