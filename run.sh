#!/usr/bin/env bash
# Installe ce qui manque, construit et lance Vatrelix.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/vatrelix "$@"
