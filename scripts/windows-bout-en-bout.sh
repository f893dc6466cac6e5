#!/usr/bin/env bash
# L'installateur Windows essayé comme un joueur, sous Wine, de bout en bout :
#  1. installé en silence (/S /D=) dans un préfixe Wine neuf ; fichiers, licences, raccourci,
#     entrée de désinstallation et réglages de la machine (reg query) en place ; aucun chemin
#     de la machine qui construit dans novemia.exe ni dans novemia-cli.exe (strings) ;
#  2. le jeu lancé par le raccourci du menu Démarrer (wine start, comme un double clic) sur un
#     écran virtuel : une seule fenêtre, aucun message, le plateau comparé à celui de la
#     construction Linux (même géométrie, chaque texte dans sa case) ; la trace s'écrit dans
#     le dossier personnel du joueur ; l'installateur refuse tant que le jeu est ouvert ;
#  3. une grille générée au clavier, Échap pose la question, « Non » garde la partie ;
#  4. Préférences › un autre skin : écrit dans HKEY_CURRENT_USER, la machine inchangée ;
#  5. désinstallé en silence : plus aucun fichier, plus de clé de la machine, le choix du
#     joueur gardé ;
#  6. réinstallé dans C:\Jeux\Récré : le plateau a son skin (autant de couleurs que sous
#     Linux), un skin au nom accentué choisi dans Préférences se relit tel quel dans HKCU, le
#     désinstalleur refuse tant que le jeu est ouvert ;
#  7. le même installateur repassé sans /D= : même dossier, skin de la machine et choix du
#     joueur gardés ; puis désinstallé.
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

for outil in Xvfb xdotool import convert compare strings iconv; do
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
# Une valeur texte du registre, en UTF-8 (vide si absente) : reg export écrit en UTF-16, là
# où reg query passerait par la page de code de la console.
valeur() {
  rm -f "$WINEPREFIX/drive_c/export.reg"
  "$wine" reg export "$1" 'C:\export.reg' /y >/dev/null 2>&1 || true
  [ -f "$WINEPREFIX/drive_c/export.reg" ] || return 0
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/export.reg" | tr -d '\r' |
    sed -n "s/^\"$2\"=\"\(.*\)\"\$/\1/p" | sed 's/\\\\/\\/g'
}
# Le jeu tourne encore dans ce préfixe Wine (ceux d'autres essais sur la machine ne comptent pas).
jeuOuvert() {
  local p
  for p in $(pgrep -f 'novemia\.exe'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
# Installe ou désinstalle en silence ; rend le code de sortie (le jeu fermé, Wine attendu).
silencieux() {
  local code=0
  "$wine" "$@" >/dev/null 2>&1 || code=$?
  jeuOuvert || "$wineserver" -w
  return "$code"
}
# Lance le jeu par le raccourci du menu Démarrer, comme un double clic, et attend sa fenêtre.
raccourci() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Novemia/Novemia.lnk' | head -n 1; }
lancer() {
  "$wine" start /unix "$(raccourci)" >/dev/null 2>&1
  attendre 300 ouverte Novemia || { echec "la fenêtre de novemia.exe n'est pas venue"; exit 1; }
  sleep 2
}
# Ferme le jeu : Échap, « Oui ».
fermer() {
  xdotool windowfocus "$(fenetres Novemia | head -n 1)" 2>/dev/null || true
  touches Escape
  attendre 50 ouverte Alerte || true
  local alerte
  alerte=$(fenetres Alerte | head -n 1)
  [ -n "$alerte" ] && xdotool windowfocus "$alerte" 2>/dev/null || true
  touches o
  attendre 100 eval '! jeuOuvert' && ok "« Oui » ferme le jeu" || { echec "le jeu ne s'est pas fermé"; "$wineserver" -k || true; }
  "$wineserver" -w
}
# Préférences : la boîte s'ouvre le focus sur OK ; deux Tab (Annuler, puis la liste des skins)
# mènent à la liste, Bas y choisit le premier, Entrée confirme (OK est le bouton par défaut).
premierSkin() {
  xdotool windowfocus "$(fenetres Novemia | head -n 1)" 2>/dev/null || true
  touches alt+p
  attendre 50 ouverte Préférences || echec "Préférences ne s'est pas ouverte"
  local pref
  pref=$(fenetres Préférences | head -n 1)
  [ -n "$pref" ] && xdotool windowfocus "$pref" 2>/dev/null || true
  capture "preferences$1"
  touches Tab Tab Down Return
  attendre 50 fermee Préférences || echec "Préférences est restée ouverte"
  sleep 1
}

"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w

# 1. Installation silencieuse.
dossier='C:\Program Files\Novemia'
installe="$WINEPREFIX/drive_c/Program Files/Novemia"
silencieux "$installateur" /S "/D=$dossier" || echec "l'installation silencieuse a rendu $?"
fichiers() {
  for f in novemia.exe novemia-cli.exe Desinstaller.exe Licence.txt licences/Qt-LGPL-3.0.txt \
           licences/Liberation-OFL-1.1.txt licences/Tiers.txt licences/Sources.txt licences/communes/LGPL-3.txt \
           licences/sources-qt/qt-windows.sh aide/index.html skin/Papier.bmp skin/Papier@2x.bmp skin/Papier.cfg \
           skin/Bois.bmp skin/Ardoise.cfg; do
    [ -f "$1/$f" ] || echec "fichier installé absent : $f"
  done
  [ -f "$1/novemia.exe" ] && ok "fichiers installés sous $2"
}
fichiers "$installe" "$dossier"
grep -q "Copyright (C) .*The Qt Company" "$installe/licences/Qt-LGPL-3.0.txt" && ok "ligne de copyright de Qt" ||
  echec "licences/Qt-LGPL-3.0.txt sans la ligne de copyright de Qt"
for partie in "qt6-base $(dpkg-query -W -f='${source:Version}' qt6-base-dev)" PCRE2 winpthreads; do
  grep -q "$partie" "$installe/licences/Tiers.txt" "$installe/licences/Sources.txt" || echec "licences : « $partie » absent"
done
[ -n "$(raccourci)" ] && ok "raccourci du menu Démarrer" || echec "raccourci du menu Démarrer absent"
machine=$(reg 'HKLM\SOFTWARE\Novemia')
echo "$machine" | grep -Eq "^ +s2gAppDir +REG_SZ +C:\\\\Program Files\\\\Novemia$" && ok "HKLM s2gAppDir" ||
  echec "HKLM\\SOFTWARE\\Novemia s2gAppDir : $machine"
echo "$machine" | grep -Eq "^ +Skin +REG_SZ +Papier$" && ok "HKLM Skin" || echec "HKLM\\SOFTWARE\\Novemia Skin : $machine"
desinstallation=$(reg 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Novemia')
echo "$desinstallation" | grep -Eq "DisplayName +REG_SZ +Novemia" &&
  echo "$desinstallation" | grep -q 'UninstallString.*Desinstaller.exe' &&
  echo "$desinstallation" | grep -Eq 'QuietUninstallString +REG_SZ +"C:\\Program Files\\Novemia\\Desinstaller.exe" /S$' &&
  echo "$desinstallation" | grep -Eq 'InstallLocation +REG_SZ +C:\\Program Files\\Novemia$' &&
  echo "$desinstallation" | grep -Eq 'EstimatedSize +REG_DWORD +0x[0-9a-f]*[1-9a-f]' && ok "entrée de désinstallation complète" ||
  echec "entrée de désinstallation : $desinstallation"

# Aucun chemin de la machine qui construit dans les programmes installés : ni le dossier
# personnel, ni le cache de la Qt, ni les sources ou la construction (ni le préfixe de Qt).
depot=$(cd "$(dirname "$0")/.." && pwd)
cacheQt=$(dirname "$(bash "$depot/scripts/qt-windows.sh" --chemin)")
for programme in novemia.exe novemia-cli.exe; do
  textes=$( (strings -a "$installe/$programme"; strings -a -el "$installe/$programme") )
  trouves=""
  for chemin in "$HOME/" "$cacheQt" "$depot" "$(dirname "$installateur")"; do
    [ "$chemin" = "//" ] || ! echo "$textes" | grep -qF "$chemin" || trouves="$trouves $chemin"
  done
  echo "$textes" | grep -q 'qt_prfxpath=.' && trouves="$trouves qt_prfxpath"
  [ -z "$trouves" ] && ok "aucun chemin de la construction dans $programme" ||
    echec "$programme nomme :$trouves"
done

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

# 2. Le jeu installé, lancé par son raccourci ; la trace ouverte (Ctrl+Maj+T) tout de suite.
lancer
capture depart
profil="$WINEPREFIX/drive_c/users/$(id -un)"
rm -f "$profil"/Trace_*.txt
xdotool windowfocus "$(fenetres Novemia | head -n 1)" 2>/dev/null || true
touches ctrl+shift+t
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
[ -n "$(fenetres Novemia)" ] && jeuOuvert && ok "« Non » garde la partie" ||
  echec "la fenêtre s'est fermée malgré « Non »"
capture apres-non

# 4. Préférences › le premier skin de la liste (Ardoise, pas Papier).
premierSkin ""
capture autre-skin
utilisateur=$(reg 'HKCU\SOFTWARE\Novemia' /v Skin)
choisi=$(echo "$utilisateur" | sed -n 's/^ *Skin *REG_SZ *//p')
[ -n "$choisi" ] && [ "$choisi" != Papier ] && ok "le skin choisi ($choisi) est écrit sous HKCU" ||
  echec "HKCU\\SOFTWARE\\Novemia Skin : $utilisateur"
reg 'HKLM\SOFTWARE\Novemia' /v Skin | grep -Eq "Skin +REG_SZ +Papier$" && ok "HKLM garde Papier" ||
  echec "la clé de la machine a changé"

# La trace, refermée, est dans le dossier personnel du joueur (le dossier de travail du
# raccourci), pas dans celui du programme.
xdotool windowfocus "$(fenetres Novemia | head -n 1)" 2>/dev/null || true
touches ctrl+shift+t
trace=$(find "$profil" -maxdepth 1 -name 'Trace_*.txt' | head -n 1)
[ -s "$trace" ] && [ -z "$(find "$installe" -name 'Trace_*')" ] && ok "la trace est écrite dans le dossier personnel" ||
  echec "pas de trace dans $profil"

# Tant que le jeu est ouvert, l'installateur refuse, en silence, sans rien toucher.
code=0; silencieux "$installateur" /S || code=$?
[ "$code" -ne 0 ] && [ "$(fenetres Novemia | wc -l)" -eq 1 ] && ok "l'installateur refuse pendant le jeu (code $code)" ||
  echec "l'installateur est passé pendant le jeu (code $code)"

fermer

# 5. Désinstallation silencieuse (le désinstalleur se copie ailleurs et s'y relance : on attend
# que Wine n'ait plus aucun programme).
silencieux "$dossier\\Desinstaller.exe" /S || echec "la désinstallation silencieuse a rendu $?"
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

# 6. Dans un dossier aux lettres accentuées, le joueur reparti de zéro : le plateau a son
# skin (un fond de skin a des centaines de couleurs, une fenêtre grise quelques-unes).
"$wine" reg delete 'HKCU\SOFTWARE\Novemia' /f >/dev/null 2>&1 || true
dossier='C:\Jeux\Récré'
installe="$WINEPREFIX/drive_c/Jeux/Récré"
silencieux "$installateur" /S "/D=$dossier" || echec "l'installation dans $dossier a rendu $?"
fichiers "$installe" "$dossier"
[ "$(valeur 'HKLM\SOFTWARE\Novemia' s2gAppDir)" = "$dossier" ] && ok "HKLM s2gAppDir = $dossier" ||
  echec "HKLM s2gAppDir : $(valeur 'HKLM\SOFTWARE\Novemia' s2gAppDir)"
# Un skin au nom accentué, premier de la liste dans tout ordre (« Ab » avant « Ar »).
accentue='Abîmé'
for f in bmp cfg; do cp "$installe/skin/Papier.$f" "$installe/skin/$accentue.$f"; done
couleurs() {
  convert "$1" -gravity south -crop 480x341+0+0 +repage -format %k info:
}
couleursLinux=$(couleurs "$captures/linux.png")
lancer
import -window "$(fenetres Novemia | head -n 1)" "$captures/accentue.png"
couleursWine=$(couleurs "$captures/accentue.png")
echo "couleurs du plateau : Linux $couleursLinux, Wine sous $dossier $couleursWine"
[ "$couleursWine" -gt $((couleursLinux / 2)) ] && ok "le plateau a son skin sous $dossier" ||
  echec "plateau sans skin sous $dossier ($couleursWine couleurs contre $couleursLinux)"
premierSkin "-accentue"
import -window "$(fenetres Novemia | head -n 1)" "$captures/accentue-skin.png"
[ "$(valeur 'HKCU\SOFTWARE\Novemia' Skin)" = "$accentue" ] && ok "HKCU Skin relu tel quel : $accentue" ||
  echec "HKCU Skin : « $(valeur 'HKCU\SOFTWARE\Novemia' Skin) » au lieu de « $accentue »"
[ "$(couleurs "$captures/accentue-skin.png")" -gt $((couleursLinux / 2)) ] && ok "le skin $accentue est chargé" ||
  echec "le skin $accentue n'est pas chargé"
# Le désinstalleur, lancé en place pour rendre son code (_?= ; NSIS l'ignore entre guillemets,
# que Wine met à un chemin qui a des espaces), refuse tant que le jeu est ouvert.
code=0; silencieux "$dossier\\Desinstaller.exe" /S "_?=$dossier" || code=$?
[ "$code" -ne 0 ] && [ -f "$installe/novemia-cli.exe" ] && ok "le désinstalleur refuse pendant le jeu (code $code)" ||
  echec "le désinstalleur est passé pendant le jeu (code $code)"
fermer

# 7. Le même installateur repassé sans /D= : le dossier de l'installation précédente, le
# skin choisi par l'administrateur pour la machine et celui du joueur gardés.
"$wine" reg add 'HKLM\SOFTWARE\Novemia' /v Skin /d Bois /f >/dev/null 2>&1
silencieux "$installateur" /S || echec "la réinstallation a rendu $?"
[ -f "$installe/novemia.exe" ] && [ ! -e "$WINEPREFIX/drive_c/Program Files/Novemia" ] &&
  [ "$(valeur 'HKLM\SOFTWARE\Novemia' s2gAppDir)" = "$dossier" ] && ok "réinstallé dans $dossier" ||
  echec "réinstallé ailleurs que dans $dossier"
[ "$(valeur 'HKLM\SOFTWARE\Novemia' Skin)" = Bois ] && ok "HKLM Skin de l'administrateur gardé" ||
  echec "HKLM Skin : $(valeur 'HKLM\SOFTWARE\Novemia' Skin)"
[ "$(valeur 'HKCU\SOFTWARE\Novemia' Skin)" = "$accentue" ] && ok "HKCU gardé par la réinstallation" ||
  echec "HKCU Skin après réinstallation : $(valeur 'HKCU\SOFTWARE\Novemia' Skin)"
rm -f "$installe/skin/$accentue".*
silencieux "$dossier\\Desinstaller.exe" /S || echec "la désinstallation a rendu $?"
[ ! -e "$installe" ] && ok "plus rien sous $dossier" || echec "restes sous $dossier : $(find "$installe" | head -n 5 | tr '\n' ' ')"

echo "Captures : $captures"
if [ "$echecs" -ne 0 ]; then
  echo "Essai de bout en bout sous Wine : $echecs échec(s)" >&2
  exit 1
fi
echo "Essai de bout en bout sous Wine : tout passe"
