#!/usr/bin/env bash
# Installs what heatnet needs, builds it and runs every test: the Release build
# with the window tests, the same tests under AddressSanitizer and UBSan, and the
# fuzzers for a bounded time.
source "$(dirname "$0")/scripts/setup_common.sh"
install_packages
install_epanet
build_heatnet
ctest --test-dir "$HEATNET_BUILD" --output-on-failure -j "$(nproc)"

# Any sanitizer report ends the program with an error, so the test fails.
build_sanitized
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$HEATNET_ASAN_BUILD" --output-on-failure -j "$(nproc)"

build_fuzzers
"$HEATNET_ROOT/scripts/run_fuzzers.sh" "$HEATNET_FUZZ_BUILD"

# The Debian package: built, unpacked, run on an example and checked by lintian.
"$HEATNET_ROOT/scripts/check_package.sh" "$HEATNET_BUILD"
