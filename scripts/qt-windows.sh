#!/usr/bin/env bash
# Qt 6 pour Windows 64 bits, statique et réduite à ce dont le jeu a besoin (Core, Gui, Widgets,
# PrintSupport, Test ; plateformes windows et offscreen, style windowsvista, gif/ico), construite
# avec mingw-w64 depuis le paquet source qt6-base de Debian, de la version même de la Qt installée.
#
# Le résultat va dans un cache hors du dépôt, partagé par tous les clones et toutes les CI de la
# machine : $NOVEMIA_CACHE (par défaut ~/.cache/novemia)/qt-<version>-mingw-<empreinte>, où
# l'empreinte couvre tout ce qui change la Qt construite : options, correctifs
# (scripts/qt-windows-*.patch), fichier de chaîne, ce script, versions du compilateur, du
# runtime mingw-w64, de CMake et des outils de Qt de l'hôte. Les CFLAGS, CXXFLAGS, CPPFLAGS et
# LDFLAGS de l'environnement sont ignorés. Le dossier final n'apparaît qu'une fois Qt installée
# en entier (installation à côté, puis un seul renommage) : une construction interrompue ne
# passe jamais pour finie, et la relance reprend là où elle s'était arrêtée.
#
# Si les miroirs n'ont plus la version exacte de qt6-base : NOVEMIA_QT_SOURCE=<dossier> où sont
# déposés ses .dsc, .orig.tar.xz et .debian.tar.xz.
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
# - relocatable : une Qt statique prend alors pour préfixe le dossier du programme, et aucun
#   chemin de cette machine n'est écrit dans le binaire (sinon qt_prfxpath=<cache>, un dossier
#   à la racine du disque courant sous Windows, que tout utilisateur peut créer).
# - impression (QPrinter, QPrintDialog, aperçu, PDF) : exigée, pour qu'un manque se voie ici.
options=(
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_relocatable=ON
  -DFEATURE_printsupport=ON -DFEATURE_printer=ON -DFEATURE_printdialog=ON
  -DFEATURE_printpreviewwidget=ON -DFEATURE_printpreviewdialog=ON -DFEATURE_pdf=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF
)
# Les drapeaux de l'environnement ne changent pas la Qt en cachette.
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RCFLAGS
# Ce qui produit le code, version comprise : compilateur, runtime mingw-w64 et winpthreads,
# binutils, CMake, moc et rcc de l'hôte.
outils() {
  local p
  for p in gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime \
           gcc-mingw-w64-base mingw-w64-x86-64-dev mingw-w64-common binutils-mingw-w64-x86-64 \
           cmake qt6-base-dev-tools; do
    echo "$p=$(dpkg-query -W -f='${Version}' "$p" 2>/dev/null || echo absent)"
  done
  x86_64-w64-mingw32-g++-posix --version | head -n 1
  cmake --version | head -n 1
}
empreinte=$( (printf '%s\n' "${options[@]}"; outils; cat "${correctifs[@]}" "$chaine" "$0") \
  | sha256sum | cut -c1-12)
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
echo "Qt $version pour Windows : construction dans $travail (une vingtaine de minutes sur 2 cœurs)" >&2

# Les sources, par apt, sans toucher à la configuration de la machine : une liste de sources
# « deb-src » tirée des entrées « deb » configurées, et un état d'apt à nous. Un échec dit quoi
# et que faire : apt-get update rend 0 même quand le réseau manque, d'où --error-on=any, et la
# version exacte quitte les miroirs dès qu'une suivante la remplace.
echec_source() {
  {
    echo "Sources de Qt pour Windows introuvables : $1."
    echo "Il faut le paquet source qt6-base $version exactement (celui de la Qt installée)."
    echo "Vérifier le réseau et les entrées de /etc/apt/sources.list.d, puis relancer ;"
    echo "ou déposer ses trois fichiers (qt6-base_${version}.dsc, le .orig.tar.xz et le"
    echo ".debian.tar.xz, pris dans l'archive des versions passées de Debian) dans un dossier, puis"
    echo "relancer avec NOVEMIA_QT_SOURCE=<ce dossier>."
  } >&2
  exit 1
}
source="$travail/source"
if [ ! -f "$source/.complete" ]; then
  rm -rf "$source"
  mkdir -p "$source"
  if [ -n "${NOVEMIA_QT_SOURCE:-}" ]; then
    dsc="$NOVEMIA_QT_SOURCE/qt6-base_${version#*:}.dsc"
    [ -f "$dsc" ] || echec_source "$dsc manque"
    (cd "$source" && dpkg-source -x "$dsc" >&2) || echec_source "dpkg-source n'a pas pu extraire $dsc"
  else
    mkdir -p "$source/apt/sources.list.d" "$source/apt/lists/partial" "$source/apt/cache/archives/partial"
    : >"$source/apt/sources.list"
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] && sed -n 's/^Types:.*\bdeb\b.*$/Types: deb-src/;p' "$f"
      echo
    done >"$source/apt/sources.list.d/source.sources"
    if [ -f /etc/apt/sources.list ]; then
      sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"$source/apt/sources.list"
    fi
    apt_=(-q -o "Dir::Etc::SourceList=$source/apt/sources.list"
          -o "Dir::Etc::SourceParts=$source/apt/sources.list.d"
          -o "Dir::State::Lists=$source/apt/lists" -o "Dir::Cache=$source/apt/cache"
          -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
    apt-get "${apt_[@]}" --error-on=any update >&2 \
      || echec_source "la liste des paquets source n'a pas pu être lue (apt-get update)"
    apt-cache "${apt_[@]}" showsrc qt6-base 2>/dev/null | grep -qx "Version: $version" \
      || echec_source "les miroirs configurés n'ont pas (ou plus) la version $version"
    (cd "$source" && apt-get "${apt_[@]}" source "qt6-base=$version" >&2) \
      || echec_source "le téléchargement ou l'extraction a échoué (apt-get source)"
  fi
  arbre=$(find "$source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
  for correctif in "${correctifs[@]}"; do
    patch -d "$arbre" -p1 --forward <"$correctif" >&2
  done
  touch "$source/.complete"
fi
arbre=$(find "$source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

construction="$travail/construction"
if [ ! -f "$construction/build.ninja" ]; then
  # Les noms de fichiers des macros (__FILE__) sans le dossier de construction de cette machine.
  carte="-ffile-prefix-map=$travail/="
  nice cmake -G Ninja -S "$arbre" -B "$construction" -DCMAKE_TOOLCHAIN_FILE="$chaine" \
    -DCMAKE_INSTALL_PREFIX="$final" -DCMAKE_C_FLAGS="$carte" -DCMAKE_CXX_FLAGS="$carte" \
    "${options[@]}" >&2
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
