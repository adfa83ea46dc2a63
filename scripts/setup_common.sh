# Shared by run.sh and test.sh: Debian packages and the Release build.
set -euo pipefail

HEATNET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HEATNET_BUILD="$HEATNET_ROOT/build"
# The core, the batch command and the tests under AddressSanitizer and UBSan (GCC).
HEATNET_ASAN_BUILD="$HEATNET_ROOT/build-asan"
# The libFuzzer targets (clang; libFuzzer and the sanitizer runtimes of clang
# come with libclang-rt-14-dev).
HEATNET_FUZZ_BUILD="$HEATNET_ROOT/build-fuzz"

# The desktop program needs Qt 6 with its Chinese translations, a Chinese font
# and xdg-open (xdg-utils) to show files in the desktop's text editor.
# The Debian package is built with dpkg-dev and file and checked with lintian,
# desktop-file-utils and appstream (scripts/check_package.sh). xdotool drives the
# real program in scripts/gui_session_under_asan.sh.
HEATNET_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libxlsxwriter-dev zlib1g-dev libgtest-dev xvfb xauth fonts-wqy-microhei imagemagick
  python3-openpyxl python3-ezdxf xdg-utils clang libclang-rt-14-dev libbenchmark-dev
  dpkg-dev file lintian desktop-file-utils appstream xdotool libgraphviz-dev)

install_packages() {
  local missing=()
  for package in "${HEATNET_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# EPANET (epanet-js from npm, run by Node.js) solves the INP exports for the
# comparison test in tests/epanet. Node.js comes from Debian unless a node is
# already there (for instance a newer one with its own npm).
install_node() {
  command -v node >/dev/null && command -v npm >/dev/null && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: nodejs npm"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    nodejs npm >/dev/null
}

# Installs exactly the versions of the lock file, again whenever it changed.
install_epanet() {
  install_node
  local folder="$HEATNET_ROOT/tests/epanet"
  [ -d "$folder/node_modules" ] && [ "$folder/node_modules" -nt "$folder/package-lock.json" ] && return 0
  (cd "$folder" && npm ci --no-audit --no-fund)
  touch "$folder/node_modules"
}

build_heatnet() {
  cmake -S "$HEATNET_ROOT" -B "$HEATNET_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$HEATNET_BUILD"
}

build_sanitized() {
  cmake -S "$HEATNET_ROOT" -B "$HEATNET_ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DHEATNET_SANITIZE=ON -DHEATNET_GUI=OFF >/dev/null
  cmake --build "$HEATNET_ASAN_BUILD"
}

build_fuzzers() {
  cmake -S "$HEATNET_ROOT" -B "$HEATNET_FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ -DHEATNET_FUZZ=ON -DHEATNET_GUI=OFF -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$HEATNET_FUZZ_BUILD"
}
