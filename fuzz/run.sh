#!/usr/bin/env bash
# Lance chaque cible de fuzzing SECONDES secondes sous ASan et UBSan (libFuzzer, clang),
# après avoir rejoué les entrées de régression ; affiche exécutions, couverture et plantages.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-60}"
racine="$PWD"
arbre="$racine/build-fuzz"
scripts/install-deps.sh --fuzz
CC=clang CXX=clang++ cmake -S fuzz -B "$arbre" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$arbre" -j"${FUZZ_JOBS:-2}"

cibles=(fuzz_base_xml fuzz_liste fuzz_configuration fuzz_ancienne_base fuzz_personnage)
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

# Graines : fichiers des tests et des ressources, plus les entrées gardées par cible.
semer() {
  local cible="$1" corpus="$2"
  mkdir -p "$corpus"
  case "$cible" in
    fuzz_base_xml) cp -f resources/*.xml resources/exemples/*.xml "$corpus/" 2>/dev/null || true ;;
    fuzz_personnage) [[ -f build/MSAgent/Chars/Sam.acs ]] && cp -f build/MSAgent/Chars/Sam.acs "$corpus/" || true ;;
  esac
  [[ -d "fuzz/graines/$cible" ]] && cp -f fuzz/graines/"$cible"/* "$corpus/" 2>/dev/null || true
  [[ -d "fuzz/regressions/$cible" ]] && cp -f fuzz/regressions/"$cible"/* "$corpus/" 2>/dev/null || true
}

echo
printf '%-22s %12s %8s %8s %10s\n' cible "exécutions" "couv." "traits" "plantages"
echec=0
for cible in "${cibles[@]}"; do
  corpus="$arbre/corpus/$cible"
  artefacts="$arbre/artefacts/$cible/"
  journal="$arbre/journaux/$cible.log"
  mkdir -p "$artefacts" "$(dirname "$journal")"
  semer "$cible" "$corpus"
  # Régressions : chaque entrée gardée doit passer.
  if compgen -G "fuzz/regressions/$cible/*" >/dev/null; then
    if ! "$arbre/$cible" -timeout=1 fuzz/regressions/"$cible"/* >"$arbre/journaux/$cible-regressions.log" 2>&1; then
      echo "$cible : une entrée de régression échoue (voir $arbre/journaux/$cible-regressions.log)"
      echec=1
    fi
  fi
  set +e
  "$arbre/$cible" "$corpus" -max_total_time="$secondes" -timeout=1 -rss_limit_mb=2560 \
      -max_len=1048576 -print_final_stats=1 -artifact_prefix="$artefacts" >"$journal" 2>&1
  set -e
  executions=$(grep -oP 'stat::number_of_executed_units:\s*\K[0-9]+' "$journal" | tail -1)
  couverture=$(grep -oP 'cov: \K[0-9]+' "$journal" | tail -1)
  traits=$(grep -oP 'ft: \K[0-9]+' "$journal" | tail -1)
  plantages=$(find "$artefacts" -type f | wc -l)
  printf '%-22s %12s %8s %8s %10s\n' "$cible" "${executions:-?}" "${couverture:-?}" "${traits:-?}" "$plantages"
  [[ "$plantages" -ne 0 ]] && echec=1
done
echo
[[ $echec -eq 0 ]] && echo "Aucun plantage." || echo "Plantages : voir $arbre/artefacts/ et $arbre/journaux/."
exit $echec
