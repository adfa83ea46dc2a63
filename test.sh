#!/usr/bin/env bash
# Installs what heatnet needs, builds it and runs every test.
source "$(dirname "$0")/scripts/setup_common.sh"
install_packages
build_heatnet
ctest --test-dir "$HEATNET_BUILD" --output-on-failure -j "$(nproc)"
