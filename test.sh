#!/usr/bin/env bash
# Installe ce qui manque, construit, lance tous les tests sans écran (plate-forme offscreen).
# --sanitize : même chose avec AddressSanitizer et UndefinedBehaviorSanitizer, dans build-sanitize.
set -euo pipefail
cd "$(dirname "$0")"
if [[ "${1:-}" == "--sanitize" ]]; then
  scripts/install-deps.sh --sanitize
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVATRELIX_SANITIZE=ON >/dev/null
  cmake --build build-sanitize -j"$(nproc)"
  export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=0:strict_string_checks=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export QT_QPA_PLATFORM=offscreen
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
  exit
fi
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
