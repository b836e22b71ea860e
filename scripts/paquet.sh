#!/usr/bin/env bash
# Construit le paquet Debian : installe ce qui manque, construit en Release (sans les tests)
# avec les options de durcissement de Debian (dpkg-buildflags) dans build-paquet/, lance
# cpack -G DEB puis lintian. Le paquet : build-paquet/vatrelix_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-paquet -G Ninja -DCMAKE_BUILD_TYPE=Release -DVATRELIX_SANITIZE=OFF -DVATRELIX_TESTS=OFF >/dev/null
cmake --build build-paquet -j"$(nproc)"
(cd build-paquet && cpack -G DEB)
version="$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build-paquet/CPackConfig.cmake)"
paquet="build-paquet/vatrelix_${version}_$(dpkg --print-architecture).deb"
# Erreurs de lintian : échec ; avertissements : affichés.
lintian --fail-on error "$paquet"
echo "Paquet : $paquet"
echo "Installation : sudo apt install ./$paquet"
