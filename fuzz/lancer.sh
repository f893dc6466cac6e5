#!/usr/bin/env bash
# Lance chaque cible de fuzzing DUREE secondes (60 par défaut) à partir de son corpus du
# dépôt. Les entrées nouvelles vont dans un dossier temporaire, jamais dans le dépôt ; une
# entrée qui fait tomber une cible y est gardée et son chemin affiché.
# Usage : fuzz/lancer.sh DOSSIER_DES_CIBLES [DUREE]
set -uo pipefail

cibles_dir=${1:?dossier des cibles construites}
duree=${2:-60}
source_dir=$(cd "$(dirname "$0")" && pwd)
travail=$(mktemp -d "${TMPDIR:-/tmp}/novemia-fuzz-XXXXXX")

# Une propriété violée ou une erreur des sanitiseurs arrête la cible sur-le-champ.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$source_dir/../scripts/lsan.supp:print_suppressions=0"

echecs=()
bilan=()
for cible in grille lignes configuration registre partie; do
  exe="$cibles_dir/fuzz-$cible"
  if [ ! -x "$exe" ]; then
    echo "Cible absente : $exe" >&2
    echecs+=("$cible (absente)")
    continue
  fi
  mkdir -p "$travail/$cible/corpus" "$travail/$cible/plantages"
  journal="$travail/$cible/journal.txt"
  echo "== fuzz-$cible : $duree s"
  # Le premier dossier reçoit les entrées nouvelles ; celui du dépôt n'est que lu.
  "$exe" "$travail/$cible/corpus" "$source_dir/corpus/$cible" \
    -max_total_time="$duree" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$travail/$cible/plantages/" >"$journal" 2>&1
  statut=$?
  executions=$(grep -m1 'stat::number_of_executed_units' "$journal" | awk '{print $2}')
  vitesse=$(grep -m1 'stat::average_exec_per_sec' "$journal" | awk '{print $2}')
  bilan+=("$(printf '%-14s %12s exécutions  %8s exéc./s' "$cible" "${executions:-?}" "${vitesse:-?}")")
  if [ $statut -ne 0 ]; then
    echecs+=("$cible")
    tail -n 40 "$journal" >&2
    ls "$travail/$cible/plantages/" >&2
  fi
done

echo "== Bilan du fuzzing ($duree s par cible)"
printf '%s\n' "${bilan[@]}"
if [ ${#echecs[@]} -ne 0 ]; then
  echo "Cibles en échec : ${echecs[*]} (entrées gardées dans $travail)" >&2
  exit 1
fi
rm -rf "$travail"
