#!/usr/bin/env bash
# Mesure le démarrage de la fenêtre principale avec la base d'exemple, puis, sur une base de
# 100 000 articles, la reconstruction de l'arbre rapportée au chargement de la base.
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build="$racine/build-bench"
jobs=${JOBS:-2}

cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVATRELIX_BENCH=ON >/dev/null
cmake --build "$build" --target bench_demarrage -j"$jobs" >/dev/null

csv="$build/demarrage.csv"
"$build/bench/bench_demarrage" --benchmark_out="$csv" --benchmark_out_format=csv

mediane() {
  awk -F, -v cle="\"$1" 'index($1, cle) == 1 && $1 ~ /_median"$/ { print $3 }' "$csv"
}
d=$(mediane BM_demarrageExemple); c=$(mediane BM_chargement100k); a=$(mediane BM_arbre100k)
echo
awk -v d="$d" -v c="$c" -v a="$a" 'BEGIN {
  printf "startup_ms_exemple %.2f\n", d
  printf "load_ms_100k %.2f\n", c
  printf "tree_ms_100k %.2f\n", a
  printf "tree_over_load_100k %.3f\n", a / c }'
