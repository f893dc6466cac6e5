#!/usr/bin/env bash
# L'installateur Windows essayé comme un joueur, sous Wine, de bout en bout :
#  1. installé en silence (/S /D=) dans un préfixe Wine neuf ; fichiers, raccourci, entrée de
#     désinstallation et réglages de la machine (reg query) en place ;
#  2. le jeu installé lancé sur un écran virtuel : une seule fenêtre, aucun message, le plateau
#     comparé à celui de la construction Linux (même géométrie, chaque texte dans sa case) ;
#  3. une grille générée au clavier, Échap pose la question, « Non » garde la partie ;
#  4. Préférences › un autre skin : écrit dans HKEY_CURRENT_USER, la machine inchangée ;
#  5. désinstallé en silence : plus aucun fichier, plus de clé de la machine, le choix du
#     joueur gardé.
# Sans gestionnaire de fenêtres, le focus est rendu à la main (xdotool windowfocus) et les
# touches passent par XTest (xdotool key sans --window), comme un vrai clavier.
#
#   scripts/windows-bout-en-bout.sh <Novemia-…-win64.exe> <dossier des captures> [construction Linux]
set -euo pipefail

installateur=$(realpath "$1")
captures=$(realpath -m "$2")
linux=$(realpath "${3:-build-ci}")
mkdir -p "$captures"
rm -f "$captures"/*.png

for outil in Xvfb xdotool import convert compare; do
  command -v "$outil" >/dev/null || { echo "$outil manque : scripts/installer-dependances.sh" >&2; exit 2; }
done
[ -x "$linux/ui/novemia" ] || { echo "$linux/ui/novemia manque : construire d'abord le préréglage ci" >&2; exit 2; }

travail=$(mktemp -d "${TMPDIR:-/tmp}/novemia-bout-en-bout-XXXXXX")
export WINEPREFIX="$travail/wine"
export WINEDEBUG=-all
# Ni Mono ni Gecko à installer, ni raccourcis sur le bureau de Linux.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

echecs=0
echec() { echo "ÉCHEC : $*" >&2; echecs=$((echecs + 1)); }
ok() { echo "ok : $*"; }

# Un écran virtuel à nous.
exec 5> >(cat >"$travail/affichage")
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$travail/affichage" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$travail/affichage")"
nettoyer() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$travail"
}
trap nettoyer EXIT

# Attend qu'une commande réussisse (dixièmes de seconde au plus).
attendre() {
  local dixiemes=$1; shift
  for _ in $(seq "$dixiemes"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
# Les fenêtres visibles d'un titre donné.
fenetres() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
ouverte() { [ -n "$(fenetres "$1")" ]; }
fermee() { [ -z "$(fenetres "$1")" ]; }
fini() { ! kill -0 "$1" 2>/dev/null; }
touches() {
  for t in "$@"; do xdotool key "$t"; sleep 0.3; done
}
capture() { import -window root "$captures/$1.png"; }
# Une clé absente donne un texte vide, pas un arrêt du script.
reg() { { "$wine" reg query "$@" 2>/dev/null || true; } | tr -d '\r'; }

"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w

# 1. Installation silencieuse.
dossier='C:\Program Files\Novemia'
installe="$WINEPREFIX/drive_c/Program Files/Novemia"
"$wine" "$installateur" /S "/D=$dossier" >/dev/null 2>&1
"$wineserver" -w
for f in novemia.exe novemia-cli.exe Desinstaller.exe Licence.txt licences/Qt-LGPL-3.0.txt \
         licences/Liberation-OFL-1.1.txt aide/index.html skin/Papier.bmp skin/Papier@2x.bmp skin/Papier.cfg \
         skin/Bois.bmp skin/Ardoise.cfg; do
  [ -f "$installe/$f" ] || echec "fichier installé absent : $f"
done
[ -f "$installe/novemia.exe" ] && ok "fichiers installés sous $dossier"
raccourci=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Novemia/Novemia.lnk' | head -n 1)
[ -n "$raccourci" ] && ok "raccourci du menu Démarrer" || echec "raccourci du menu Démarrer absent"
machine=$(reg 'HKLM\SOFTWARE\Novemia')
echo "$machine" | grep -Eq "^ +s2gAppDir +REG_SZ +C:\\\\Program Files\\\\Novemia$" && ok "HKLM s2gAppDir" ||
  echec "HKLM\\SOFTWARE\\Novemia s2gAppDir : $machine"
echo "$machine" | grep -Eq "^ +Skin +REG_SZ +Papier$" && ok "HKLM Skin" || echec "HKLM\\SOFTWARE\\Novemia Skin : $machine"
desinstallation=$(reg 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Novemia')
echo "$desinstallation" | grep -Eq "DisplayName +REG_SZ +Novemia" &&
  echo "$desinstallation" | grep -q 'UninstallString.*Desinstaller.exe' && ok "entrée de désinstallation" ||
  echec "entrée de désinstallation : $desinstallation"

# Le plateau de Linux, même écran, même skin : la référence.
appli="$travail/linux-appli"
mkdir -p "$appli" "$travail/linux-config"
ln -s "$linux/skins" "$appli/skin"
printf 's2gAppDir=%s\nSkin=Papier\n' "$appli" >"$travail/linux-config/Novemia.conf"
XDG_CONFIG_HOME="$travail/linux-config" XDG_CONFIG_DIRS="$travail/vide" QT_QPA_PLATFORM=xcb \
  "$linux/ui/novemia" >/dev/null 2>&1 &
jeuLinux=$!
attendre 100 ouverte Novemia || { echec "la fenêtre Linux n'est pas venue"; exit 1; }
sleep 1
idLinux=$(fenetres Novemia | head -n 1)
import -window "$idLinux" "$captures/linux.png"
kill "$jeuLinux" 2>/dev/null || true
wait "$jeuLinux" 2>/dev/null || true
attendre 50 fermee Novemia || true

# 2. Le jeu installé, lancé comme par son raccourci.
(cd "$installe" && exec "$wine" "$dossier\\novemia.exe" >/dev/null 2>&1) &
jeu=$!
attendre 300 ouverte Novemia || { echec "la fenêtre de novemia.exe n'est pas venue"; exit 1; }
sleep 2
capture depart
nombre=$(fenetres Novemia | wc -l)
id=$(fenetres Novemia | head -n 1)
[ "$nombre" -eq 1 ] && ok "une seule fenêtre, aucun message au démarrage" ||
  echec "$nombre fenêtres « Novemia » au démarrage (un message ?)"
import -window "$id" "$captures/windows.png"

# Le plateau : les 480 × 341 du bas de chaque fenêtre, sous le menu.
taille() { identify -format '%w %h\n' "$1"; }
read -r lw lh < <(taille "$captures/linux.png")
read -r ww wh < <(taille "$captures/windows.png")
[ "$ww" -eq 480 ] && [ "$lw" -eq 480 ] && ok "largeur du plateau : 480 sous Linux et sous Wine" ||
  echec "largeurs : Linux $lw, Wine $ww (480 attendus)"
convert "$captures/linux.png" -gravity south -crop 480x341+0+0 +repage "$travail/plateau-linux.png"
convert "$captures/windows.png" -gravity south -crop 480x341+0+0 +repage "$travail/plateau-windows.png"
# Les textes : ce qui diffère du fond du skin. Ceux de Wine doivent tomber là où Linux a les
# siens, à deux pixels près (polices rendues autrement) : un texte qui déborde de sa case sort
# de ce masque. Hors des textes, le fond est le même pixel pour pixel : même géométrie.
fond="$linux/skins/Papier.bmp"
masque() {
  convert "$1" "$fond" -compose difference -composite -colorspace gray -threshold 12% "$2"
}
masque "$travail/plateau-linux.png" "$travail/textes-linux.png"
masque "$travail/plateau-windows.png" "$travail/textes-windows.png"
convert "$travail/textes-linux.png" -morphology Dilate Square:2 "$travail/permis.png"
pixels() { convert "$@" -format '%[fx:round(mean*w*h)]' info:; }
textesLinux=$(pixels "$travail/textes-linux.png")
textesWine=$(pixels "$travail/textes-windows.png")
dehors=$(pixels "$travail/textes-windows.png" \( "$travail/permis.png" -negate \) -compose multiply -composite)
convert "$travail/plateau-windows.png" "$travail/textes-windows.png" "$travail/permis.png" +append \
  "$captures/plateaux-windows-masques.png"
echo "pixels de texte : Linux $textesLinux, Wine $textesWine, dont $dehors hors des textes de Linux"
[ "$textesWine" -gt $((textesLinux / 2)) ] && [ "$textesWine" -lt $((textesLinux * 2)) ] &&
  ok "les textes du plateau sont là" || echec "textes du plateau : Linux $textesLinux pixels, Wine $textesWine"
[ "$dehors" -le 12 ] && ok "chaque texte dans sa case, le fond à sa place" ||
  echec "$dehors pixels de texte hors des cases de Linux (voir plateaux-windows-masques.png)"

# 3. Une grille générée au clavier (Grille › Générer › Facile), puis Échap.
xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
touches alt+g g f
sleep 2
capture grille
import -window "$id" "$travail/grille-fenetre.png"
convert "$travail/grille-fenetre.png" -gravity south -crop 480x341+0+0 +repage "$travail/plateau-grille.png"
masque "$travail/plateau-grille.png" "$travail/textes-grille.png"
textesGrille=$(pixels "$travail/textes-grille.png")
[ "$textesGrille" -gt $((textesWine * 3 / 2)) ] && ok "une grille est en jeu ($textesGrille pixels de texte)" ||
  echec "pas de grille après Grille › Générer › Facile ($textesGrille pixels de texte contre $textesWine)"
xdotool windowfocus "$id" 2>/dev/null || true
touches Escape
attendre 50 ouverte Alerte && ok "Échap pose la question" || echec "Échap n'a pas posé la question"
capture question
alerte=$(fenetres Alerte | head -n 1)
[ -n "$alerte" ] && xdotool windowfocus "$alerte" 2>/dev/null || true
touches n
attendre 50 fermee Alerte || echec "la question est restée ouverte après « Non »"
sleep 1
[ -n "$(fenetres Novemia)" ] && kill -0 "$jeu" 2>/dev/null && ok "« Non » garde la partie" ||
  echec "la fenêtre s'est fermée malgré « Non »"
capture apres-non

# 4. Préférences : la boîte s'ouvre le focus sur OK ; deux Tab (Annuler, puis la liste des
# skins) mènent à la liste, Bas y choisit le premier (Ardoise, pas Papier), Entrée confirme (OK
# est le bouton par défaut).
xdotool windowfocus "$id" 2>/dev/null || true
touches alt+p
attendre 50 ouverte Préférences || echec "Préférences ne s'est pas ouverte"
pref=$(fenetres Préférences | head -n 1)
[ -n "$pref" ] && xdotool windowfocus "$pref" 2>/dev/null || true
capture preferences
touches Tab Tab Down Return
attendre 50 fermee Préférences || echec "Préférences est restée ouverte"
sleep 1
capture autre-skin
utilisateur=$(reg 'HKCU\SOFTWARE\Novemia' /v Skin)
choisi=$(echo "$utilisateur" | sed -n 's/^ *Skin *REG_SZ *//p')
[ -n "$choisi" ] && [ "$choisi" != Papier ] && ok "le skin choisi ($choisi) est écrit sous HKCU" ||
  echec "HKCU\\SOFTWARE\\Novemia Skin : $utilisateur"
reg 'HKLM\SOFTWARE\Novemia' /v Skin | grep -Eq "Skin +REG_SZ +Papier$" && ok "HKLM garde Papier" ||
  echec "la clé de la machine a changé"

# Fermer : Échap, « Oui ».
xdotool windowfocus "$id" 2>/dev/null || true
touches Escape
attendre 50 ouverte Alerte || true
alerte=$(fenetres Alerte | head -n 1)
[ -n "$alerte" ] && xdotool windowfocus "$alerte" 2>/dev/null || true
touches o
attendre 100 fini "$jeu" && ok "« Oui » ferme le jeu" || { echec "le jeu ne s'est pas fermé"; kill "$jeu" || true; }
"$wineserver" -w

# 5. Désinstallation silencieuse (le désinstalleur se copie ailleurs et s'y relance : on attend
# que Wine n'ait plus aucun programme).
"$wine" "$dossier\\Desinstaller.exe" /S >/dev/null 2>&1
"$wineserver" -w
if [ -e "$installe" ]; then
  echec "restes de l'installation : $(find "$installe" | head -n 5 | tr '\n' ' ')"
else
  ok "plus aucun fichier installé"
fi
[ -z "$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Novemia*' | head -n 1)" ] &&
  ok "raccourci ôté" || echec "le raccourci du menu Démarrer est resté"
"$wine" reg query 'HKLM\SOFTWARE\Novemia' >/dev/null 2>&1 && echec "la clé HKLM\\SOFTWARE\\Novemia est restée" ||
  ok "plus de clé de la machine"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Novemia' >/dev/null 2>&1 &&
  echec "l'entrée de désinstallation est restée" || ok "plus d'entrée de désinstallation"
reg 'HKCU\SOFTWARE\Novemia' /v Skin | grep -q "REG_SZ *$choisi$" && ok "le choix du joueur (HKCU) est gardé" ||
  echec "HKCU\\SOFTWARE\\Novemia a été touchée"

echo "Captures : $captures"
if [ "$echecs" -ne 0 ]; then
  echo "Essai de bout en bout sous Wine : $echecs échec(s)" >&2
  exit 1
fi
echo "Essai de bout en bout sous Wine : tout passe"
