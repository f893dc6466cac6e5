#!/usr/bin/env bash
# Installe les paquets Debian dont Novemia a besoin, en sautant ceux déjà présents.
# Idempotent : relancé sur une machine prête, il ne fait rien.
set -euo pipefail

paquets=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation fonts-liberation2
  qqwing libqqwing-dev
  clang libclang-rt-14-dev llvm
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 wine64 fonts-wine nsis imagemagick
  valgrind
  xvfb xdotool dbus-daemon at-spi2-core python3-pyatspi
  x11-apps x11-utils
  desktop-file-utils appstream dpkg-dev file
  poppler-utils
)

manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    manquants+=("$p")
  fi
done

if [ ${#manquants[@]} -eq 0 ]; then
  exit 0
fi

sudo_si_besoin=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_si_besoin=(sudo)
fi

echo "Installation des paquets manquants : ${manquants[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_si_besoin[@]}" apt-get update -qq
"${sudo_si_besoin[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}"
