# Shared by run.sh and test.sh: Debian packages and the Release build.
set -euo pipefail

HEATNET_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HEATNET_BUILD="$HEATNET_ROOT/build"

# The desktop program needs Qt 6 with its Chinese translations, a Chinese font
# and xdg-open (xdg-utils) to show files in the desktop's text editor.
HEATNET_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n
  libxlsxwriter-dev zlib1g-dev libgtest-dev xvfb xauth fonts-wqy-microhei imagemagick
  python3-openpyxl python3-ezdxf xdg-utils)

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

build_heatnet() {
  cmake -S "$HEATNET_ROOT" -B "$HEATNET_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$HEATNET_BUILD"
}
