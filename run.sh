#!/usr/bin/env bash
# Installe ce qui manque, construit et lance Vatrelix.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
# Sous Wayland, le placement des fenêtres du compagnon exige XWayland.
if [[ "${XDG_SESSION_TYPE:-}" == wayland && -n "${DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  export QT_QPA_PLATFORM=xcb
fi
exec build/vatrelix "$@"
