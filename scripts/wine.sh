#!/bin/sh
# Lance un programme Windows sous Wine, sans écran : l'émulateur des tests de la
# construction « windows » (CMAKE_CROSSCOMPILING_EMULATOR). Le préfixe Wine est temporaire,
# hors du dossier personnel, créé au premier lancement.
set -eu
export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/novemia-wine-$(id -u)}"
export WINEDEBUG=-all
# Ni Mono ni Gecko à installer, ni raccourcis de bureau ; sans pilote X11, Wine prend son
# pilote graphique nul et ne cherche aucun écran.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winex11.drv=d"
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64

if [ ! -e "$WINEPREFIX/.pret" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Plusieurs tests peuvent démarrer ensemble : un seul crée le préfixe.
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.pret" ]; then
      "$wine" wineboot --init >/dev/null 2>&1
      touch "$WINEPREFIX/.pret"
    fi
  ) 9>"$WINEPREFIX.verrou"
fi
exec "$wine" "$@"
