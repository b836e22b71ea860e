#!/usr/bin/env bash
# Mesure la base d'articles (1 000, 10 000 et 100 000 articles) : chargement dans le modèle,
# enregistrement et « xmllint --noout » dans une même exécution ; la mémoire de pointe d'un
# processus qui charge la base de 100 000 articles (puis l'enregistre), la mémoire résidente
# au fil de cinq rechargements ; les fichiers de liste de 100 000 lignes face à iconv ; enfin
# le démarrage (bench/demarrage.sh) ; l'annulation de la suppression d'un rayon de 10 000 articles.
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build="$racine/build-bench"
jobs=${JOBS:-2}

cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVATRELIX_BENCH=ON >/dev/null
cmake --build "$build" --target bench_base bench_charge_seule bench_listeCourses bench_commandes -j"$jobs" >/dev/null

outil="$build/bench/bench_charge_seule"
donnees="$build/donnees"
rm -rf "$donnees"
for n in 1000 10000 100000; do
  "$outil" generer "$donnees/$n" "$n"
done

csv="$build/mesures.csv"
VATRELIX_BENCH_DONNEES="$donnees" "$build/bench/bench_base" \
  --benchmark_out="$csv" --benchmark_out_format=csv

# Médiane en millisecondes d'une mesure (nom/taille).
mediane() {
  awk -F, -v cle="\"$1/$2/" 'index($1, cle) == 1 && $1 ~ /_median"$/ { print $3 }' "$csv"
}

fichier="$donnees/100000/baseVatrelix.xml"
taille=$(stat -c %s "$fichier")
pointe_ko=$(/usr/bin/time -f %M "$outil" charger "$donnees/100000" 2>&1 >/dev/null | tail -n 1)
pointe_enr_ko=$(/usr/bin/time -f %M "$outil" enregistrer "$donnees/100000" 2>&1 >/dev/null | tail -n 1)
residant=$("$outil" recharger "$donnees/100000")
premier_ko=$(awk '$1 == "residant_premier_ko" { print $2 }' <<<"$residant")
cinquieme_ko=$(awk '$1 == "residant_cinquieme_ko" { print $2 }' <<<"$residant")

# Fichiers de liste : la commande entière (rafraîchissement compris) et iconv sur le même fichier.
csv_liste="$build/mesures-liste.csv"
"$build/bench/bench_listeCourses" --benchmark_filter='BM_(enregistrer|ouvrir|ouvrirDepuisVide|iconv)/100000' \
  --benchmark_out="$csv_liste" --benchmark_out_format=csv >/dev/null
mediane_liste() {
  awk -F, -v cle="\"$1/100000/" 'index($1, cle) == 1 && $1 ~ /_median"$/ { print $3 }' "$csv_liste"
}

echo
echo "== Résultats (médianes, ms) =="
for n in 1000 10000 100000; do
  c=$(mediane charger "$n"); e=$(mediane enregistrer "$n"); x=$(mediane xmllint "$n")
  t=$(stat -c %s "$donnees/$n/baseVatrelix.xml")
  awk -v n="$n" -v c="$c" -v e="$e" -v x="$x" -v t="$t" 'BEGIN {
    printf "%7d articles, %9d octets : chargement %8.2f ms, enregistrement %8.2f ms, xmllint %8.2f ms,", n, t, c, e, x
    printf " rapports %.2f et %.2f\n", c / x, e / x }'
done
echo "Pointe mémoire du chargement de 100 000 articles : ${pointe_ko} ko pour un fichier de ${taille} octets"
echo

c=$(mediane charger 100000); e=$(mediane enregistrer 100000); x=$(mediane xmllint 100000)
awk -v c="$c" -v e="$e" -v x="$x" -v p="$pointe_ko" -v t="$taille" 'BEGIN {
  printf "load_ms_100k %.2f\n", c
  printf "save_ms_100k %.2f\n", e
  printf "xmllint_ms_100k %.2f\n", x
  printf "load_ratio_100k %.3f\n", c / x
  printf "save_ratio_100k %.3f\n", e / x
  printf "load_peak_kb_100k %d\n", p
  printf "file_bytes_100k %d\n", t
  printf "load_peak_over_file_100k %.3f\n", p * 1024 / t }'
awk -v p="$pointe_enr_ko" -v t="$taille" -v r1="$premier_ko" -v r5="$cinquieme_ko" 'BEGIN {
  printf "save_peak_kb_100k %d\n", p
  printf "save_peak_over_file_100k %.3f\n", p * 1024 / t
  printf "reload_rss_first_kb_100k %d\n", r1
  printf "reload_rss_fifth_kb_100k %d\n", r5
  printf "reload_rss_over_first_100k %.3f\n", r5 / r1 }'
le=$(mediane_liste BM_enregistrer); lo=$(mediane_liste BM_ouvrir); li=$(mediane_liste BM_iconv)
lv=$(mediane_liste BM_ouvrirDepuisVide)
awk -v e="$le" -v o="$lo" -v i="$li" -v v="$lv" 'BEGIN {
  printf "list_save_ms_100k %.2f\n", e
  printf "list_open_ms_100k %.2f\n", o
  printf "list_iconv_ms_100k %.2f\n", i
  printf "list_save_ratio_100k %.3f\n", e / i
  printf "list_open_ratio_100k %.3f\n", o / i
  printf "list_open_from_empty_ms_100k %.2f\n", v
  printf "list_open_from_empty_ratio_100k %.3f\n", v / i }'
# Dans le magasin : tri dans l'ordre du magasin (10 000 lignes), mode magasin (100 000 lignes).
cmake --build "$build" --target bench_magasin -j"$jobs" >/dev/null
csv_magasin="$build/mesures-magasin.csv"
"$build/bench/bench_magasin" --benchmark_out="$csv_magasin" --benchmark_out_format=csv >/dev/null
mediane_magasin() {
  awk -F, -v cle="\"$1/" 'index($1, cle) == 1 && $1 ~ /_median"$/ { print $3 }' "$csv_magasin"
}
awk -v t="$(mediane_magasin BM_trierMagasin_commande)" -v m="$(mediane_magasin BM_basculerModeMagasin)" \
    -v a="$(mediane_magasin BM_majLC_centMille/1)" -v e="$(mediane_magasin BM_majLC_centMille/0)" \
    -v c="$(mediane_magasin BM_cocher_centMille)" 'BEGIN {
  printf "store_sort_ms_10k %.2f\n", t
  printf "shopping_mode_toggle_ms_100k %.3f\n", m
  printf "list_refresh_shopping_ms_100k %.2f\n", a
  printf "list_refresh_ms_100k %.2f\n", e
  printf "tick_ms_100k %.3f\n", c }'
# Recherche sur 100 000 articles (frappe, première frappe après un changement de la base) et
# export de 10 000 lignes (CSV, texte).
csv_partage="$build/mesures-partage.csv"
"$build/bench/bench_commandes" --benchmark_filter='BM_recherche' \
  --benchmark_out="$csv_partage" --benchmark_out_format=csv >/dev/null
"$build/bench/bench_listeCourses" --benchmark_filter='BM_exporter' \
  --benchmark_out="$csv_partage.liste" --benchmark_out_format=csv >/dev/null
awk -F, '$1 ~ /_median"$/ { gsub(/"/, "", $1); printf "%s %.2f ms\n", $1, $3 }' "$csv_partage" "$csv_partage.liste"
# Annuler la suppression d'un rayon de 10 000 articles dans une base de 100 000.
csv_annuler="$build/mesures-annuler.csv"
"$build/bench/bench_commandes" --benchmark_filter='BM_annuler' \
  --benchmark_out="$csv_annuler" --benchmark_out_format=csv >/dev/null
awk -F, '$1 ~ /BM_annulerSuppressionRayon10000.*_median"$/ { printf "undo_aisle_delete_ms_100k %.2f\n", $3 }' "$csv_annuler"
# Mémoire de l'historique de la liste : cent éditions d'une ligne sur 100 000 lignes.
"$build/bench/bench_listeCourses" --benchmark_filter='BM_historiqueListe' \
  --benchmark_out="$csv_annuler.liste" --benchmark_out_format=csv >/dev/null
awk -F, '$1 == "name" { for (i = 1; i <= NF; ++i) if ($i == "\"historique_mio\"") c = i }
  $1 ~ /BM_historiqueListe/ && c { printf "undo_list_history_mib_100x_100k %.2f\n", $c }' "$csv_annuler.liste"
"$racine/bench/demarrage.sh" 2>/dev/null | sed '/^$/d'
