# Shared by scripts/run and scripts/test: the Debian packages the program and
# its tests need, installed only when missing, and the build.
set -euo pipefail

TAMBLO_SRC="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TAMBLO_BUILD="$TAMBLO_SRC/build"

TAMBLO_PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-ibase qt6-translations-l10n libgl-dev
  firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
  libzint-dev libxlsxwriter-dev
  fonts-liberation2 poppler-utils xvfb xauth
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=()
  for p in "${TAMBLO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Instalando pacotes: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# The Firebird server binary for the network tests, unpacked beside the build
# without installing the system service (which would start a daemon).
ensure_test_server() {
  local dir="$TAMBLO_BUILD/fbserver"
  if [ -x "$dir/usr/sbin/firebird" ]; then return 0; fi
  mkdir -p "$dir"
  ( cd "$dir" && rm -f firebird3.0-server_*.deb &&
    { apt-get download firebird3.0-server >/dev/null 2>&1 ||
      { as_root apt-get update -qq && apt-get download firebird3.0-server >/dev/null; }; } &&
    dpkg -x firebird3.0-server_*.deb . && rm -f firebird3.0-server_*.deb ) ||
    echo "Aviso: servidor Firebird de teste indisponível; os testes de rede serão pulados." >&2
}

build_all() {
  local type="${TAMBLO_BUILD_TYPE:-RelWithDebInfo}"
  cmake -S "$TAMBLO_SRC" -B "$TAMBLO_BUILD" -DCMAKE_BUILD_TYPE="$type" >/dev/null
  cmake --build "$TAMBLO_BUILD" -j"$(nproc)"
}
