#!/bin/sh
# novemia-cli construit pour Windows et lancé sous Wine écrit les mêmes octets que celui de
# Linux pour les mêmes grilles et la même graine (PDF compris), et finit sur le même code.
# Usage, depuis la racine des sources : comparer-cli.sh CLI_LINUX EMULATEUR CLI_WINDOWS
set -u
linux=$1
emulateur=$2
windows=$3
if [ ! -x "$linux" ]; then
  echo "novemia-cli de Linux introuvable : $linux (construire d'abord le préréglage defaut)" >&2
  exit 1
fi
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

statut=0
comparer() {
  "$linux" "$@" >"$travail/linux"
  code_linux=$?
  "$emulateur" "$windows" "$@" >"$travail/windows"
  code_windows=$?
  if [ "$code_linux" != "$code_windows" ]; then
    echo "« $* » : code $code_linux sous Linux, $code_windows sous Windows" >&2
    statut=1
  elif ! cmp "$travail/linux" "$travail/windows"; then
    echo "« $* » : sorties différentes" >&2
    statut=1
  else
    echo "« $* » : $(wc -c <"$travail/linux") octets identiques, code $code_linux"
  fi
}

# Le PDF, écrit dans un fichier : le programme de Windows le nomme par le lecteur Z: de Wine.
comparer_pdf() {
  "$linux" generer "$@" --pdf "$travail/linux.pdf"
  "$emulateur" "$windows" generer "$@" --pdf "Z:$travail/windows.pdf"
  if ! cmp "$travail/linux.pdf" "$travail/windows.pdf"; then
    echo "« generer $* --pdf » : PDF différents" >&2
    statut=1
  else
    echo "« generer $* --pdf » : $(wc -c <"$travail/linux.pdf") octets identiques"
  fi
}

comparer resoudre --lignes tests/grilles/top95.txt
comparer generer diabolique --graine 7 --nombre 5
comparer generer --defi chaines --graine 7 --nombre 5
comparer_pdf moyen --graine 7 --nombre 5 --par-page 4
exit $statut
