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
# Les tests de la fenêtre tournent sur la plateforme offscreen de Qt, qui lit ses polices dans
# un dossier : celles de Liberation 2, vues depuis Wine.
export QT_QPA_FONTDIR="${QT_QPA_FONTDIR:-Z:/usr/share/fonts/truetype/liberation2}"
wine=/usr/lib/wine/wine64

mkdir -p "$WINEPREFIX"
# Plusieurs tests démarrent ensemble : un seul prépare Wine, les autres l'attendent.
(
  flock 9
  # Un serveur qui reste une minute après le dernier programme : sinon il s'arrête entre
  # deux tests, et celui qui arrive pendant qu'il s'arrête perd sa connexion. Il ne rend 0
  # que s'il vient de démarrer ; lui et les processus de fond de Wine (services.exe…)
  # démarrent alors ici, loin des tubes du test, que CTest attendrait jusqu'à leur fin, et
  # sans le verrou (9>&-), qu'ils garderaient. La première fois, le préfixe est créé.
  if /usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&-
  fi
) 9>"$WINEPREFIX.verrou"
exec "$wine" "$@"
