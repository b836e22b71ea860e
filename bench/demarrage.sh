#!/usr/bin/env bash
# Mesure le démarrage : la fenêtre principale dans le processus (base d'exemple), la
# reconstruction de l'arbre de 100 000 articles rapportée au chargement, puis le vrai
# programme (première peinture et fin du démarrage, base d'exemple et 100 000 articles),
# sous un serveur X virtuel quand aucun affichage n'est là.
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build="$racine/build-bench"
jobs=${JOBS:-2}

cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVATRELIX_BENCH=ON >/dev/null
cmake --build "$build" --target bench_demarrage -j"$jobs" >/dev/null

csv="$build/demarrage.csv"
lancer=("$build/bench/bench_demarrage" --benchmark_out="$csv" --benchmark_out_format=csv)
if [[ -z "${DISPLAY:-}" ]] && command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "${lancer[@]}" >&2
else
  "${lancer[@]}" >&2
fi

mediane() {
  awk -F, -v cle="\"$1" 'index($1, cle) == 1 && $1 ~ /_median"$/ { print $3 }' "$csv"
}
d=$(mediane BM_demarrageExemple); c=$(mediane BM_chargement100k); a=$(mediane BM_arbre100k)
pe=$(mediane BM_programme/premierAffichageExemple); pc=$(mediane BM_programme/premierAffichage100k)
de=$(mediane BM_programme/demarrageExemple); dc=$(mediane BM_programme/demarrage100k)
echo
awk -v d="$d" -v c="$c" -v a="$a" -v pe="$pe" -v pc="$pc" -v de="$de" -v dc="$dc" 'BEGIN {
  printf "startup_ms_exemple %.2f\n", d
  printf "tree_load_ms_100k %.2f\n", c
  printf "tree_ms_100k %.2f\n", a
  printf "tree_over_load_100k %.3f\n", a / c
  printf "premier_affichage_exemple_ms %.2f\n", pe
  printf "premier_affichage_100k_ms %.2f\n", pc
  printf "premier_affichage_100k_over_exemple %.3f\n", pc / pe
  printf "demarrage_programme_exemple_ms %.2f\n", de
  printf "demarrage_programme_100k_ms %.2f\n", dc }'
