#!/usr/bin/env bash
# Qt 6 pour Windows 64 bits, statique et réduite à ce dont le jeu a besoin (Core, Gui, Widgets,
# Test ; plateformes windows et offscreen, style windowsvista, gif/ico), construite avec
# mingw-w64 depuis le paquet source qt6-base de Debian, de la version même de la Qt installée.
#
# Le résultat va dans un cache hors du dépôt, partagé par tous les clones et toutes les CI de la
# machine : $NOVEMIA_CACHE (par défaut ~/.cache/novemia)/qt-<version>-mingw-<empreinte>, où
# l'empreinte couvre les options, les correctifs (scripts/qt-windows-*.patch) et la chaîne de
# compilation. Une option ou un correctif changé reconstruit ; le reste réutilise. Le dossier final n'apparaît qu'une fois Qt
# installée en entier (installation à côté, puis un seul renommage) : une construction
# interrompue ne passe jamais pour finie, et la relance reprend là où elle s'était arrêtée.
#
#   scripts/qt-windows.sh            construit si besoin, puis écrit le chemin de la Qt
#   scripts/qt-windows.sh --chemin   écrit seulement le chemin attendu (rien n'est construit)
set -euo pipefail

depot=$(cd "$(dirname "$0")/.." && pwd)
chaine="$depot/cmake/mingw-w64-x86_64.cmake"
# Les correctifs de la Qt de Debian, appliqués aux sources (chacun dit pourquoi en tête).
correctifs=("$depot"/scripts/qt-windows-*.patch)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# Options : le strict nécessaire du jeu et de ses tests.
# - directwrite3 et direct2d coupés : sans Direct2D, Gui laisse de côté la base de polices
#   DirectWrite 3 mais le greffon windows s'y réfère encore (Qt 6.4) ; la base GDI, celle par
#   défaut de Qt 6.4, reste.
# - tabletevent coupé : l'archive « dfsg » de Debian n'a pas 3rdparty/wintab.
# - FreeType de Qt : c'est lui qui permet la plateforme offscreen, celle des tests sans écran.
# - opengl coupé : le jeu peint en logiciel ; scripts/qt-windows-sans-opengl.patch corrige le
#   seul endroit de Qt 6.4 qui ne se compile pas sans lui.
options=(
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF
)
# L'empreinte ne couvre que ce qui change la Qt construite : options, correctifs, chaîne de
# compilation.
empreinte=$( (printf '%s\n' "${options[@]}"; cat "${correctifs[@]}" "$chaine") | sha256sum | cut -c1-12)
cache="${NOVEMIA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/novemia}"
nom="qt-${version//[^A-Za-z0-9.+-]/_}-mingw-$empreinte"
final="$cache/$nom"

if [ "${1:-}" = "--chemin" ]; then
  echo "$final"
  exit 0
fi

# Le témoin est écrit juste avant le renommage : sa présence dit « Qt complète ».
if [ -f "$final/novemia-qt-complete" ]; then
  echo "$final"
  exit 0
fi

mkdir -p "$cache"
travail="$cache/.construction-$nom"
mkdir -p "$travail"
# Deux clones qui la demandent ensemble : un seul construit, l'autre attend puis réutilise.
exec 8>"$travail.verrou"
flock 8
if [ -f "$final/novemia-qt-complete" ]; then
  echo "$final"
  exit 0
fi

debut=$(date +%s)
echo "Qt $version pour Windows : construction dans $travail (environ une heure sur 2 cœurs)" >&2

# Les sources, par apt, sans toucher à la configuration de la machine : une liste de sources
# « deb-src » tirée des entrées « deb » configurées, et un état d'apt à nous.
source="$travail/source"
if [ ! -f "$source/.complete" ]; then
  rm -rf "$source"
  mkdir -p "$source/apt/sources.list.d" "$source/apt/lists/partial" "$source/apt/cache/archives/partial"
  : >"$source/apt/sources.list"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && sed -n 's/^Types:.*\bdeb\b.*$/Types: deb-src/;p' "$f"
    echo
  done >"$source/apt/sources.list.d/source.sources"
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"$source/apt/sources.list"
  fi
  apt_=(apt-get -q -o "Dir::Etc::SourceList=$source/apt/sources.list"
        -o "Dir::Etc::SourceParts=$source/apt/sources.list.d"
        -o "Dir::State::Lists=$source/apt/lists" -o "Dir::Cache=$source/apt/cache"
        -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
  "${apt_[@]}" update >&2
  (cd "$source" && "${apt_[@]}" source "qt6-base=$version" >&2)
  arbre=$(find "$source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  for correctif in "${correctifs[@]}"; do
    patch -d "$arbre" -p1 --forward <"$correctif" >&2
  done
  touch "$source/.complete"
fi
arbre=$(find "$source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

construction="$travail/construction"
if [ ! -f "$construction/build.ninja" ]; then
  nice cmake -G Ninja -S "$arbre" -B "$construction" -DCMAKE_TOOLCHAIN_FILE="$chaine" \
    -DCMAKE_INSTALL_PREFIX="$final" "${options[@]}" >&2
fi
nice cmake --build "$construction" -j2 >&2

# Installation à côté, témoin, puis un seul renommage vers le nom final.
rm -rf "$travail/installation"
DESTDIR="$travail/installation" cmake --install "$construction" >/dev/null
date -u +%FT%TZ >"$travail/installation$final/novemia-qt-complete"
rm -rf "$final"
mv "$travail/installation$final" "$final"
rm -rf "$travail" "$travail.verrou"

echo "Qt pour Windows prête en $(( $(date +%s) - debut )) s : $final" >&2
echo "$final"
