#!/usr/bin/env bash
# Installs what heatnet needs and builds it. With a display it starts the desktop
# program in a folder holding the example networks; without one it calculates the
# bundled example with the batch command.
source "$(dirname "$0")/scripts/setup_common.sh"
install_packages
build_heatnet

work="$HEATNET_BUILD/example-run"
mkdir -p "$work"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # Networks changed in an earlier session are kept.
  cp -n "$HEATNET_ROOT/examples/"*.TXT "$work/"
  echo "Starting heatnet in $work, where its file picker opens."
  cd "$work"
  exec "$HEATNET_BUILD/bin/heatnet"
fi

cp "$HEATNET_ROOT/examples/small_tree.TXT" "$work/"
"$HEATNET_BUILD/bin/heatnet-calc" "$work/small_tree.TXT"
echo
echo "Outputs of the example network are in $work:"
ls -1 "$work"
