#!/usr/bin/env bash
# Installe les paquets Debian dont le projet a besoin, seulement s'il en manque.
set -euo pipefail

paquets=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  libpugixml-dev libbenchmark-dev libxml2-utils
  libespeak-ng-dev espeak-ng-data libpulse-dev libsndfile1-dev
  xvfb xauth fonts-dejavu-core fonts-liberation2 poppler-utils
  xdotool openbox x11-apps
  desktop-file-utils appstream shared-mime-info lintian dpkg-dev fakeroot file util-linux
)
[[ "${1:-}" == "--sanitize" ]] && paquets+=(libclang-rt-14-dev)
[[ "${1:-}" == "--fuzz" ]] && paquets+=(clang-14 clang libclang-rt-14-dev)

manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    manquants+=("$p")
  fi
done
[[ ${#manquants[@]} -eq 0 ]] && exit 0

echo "Installation de : ${manquants[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${manquants[@]}"
