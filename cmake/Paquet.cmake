# Paquet Debian : « cpack -G DEB » dans l'arbre de construction produit
# vatrelix_VERSION_ARCH.deb, installé dans /usr. Dépendances tirées des bibliothèques
# liées (dpkg-shlibdeps), programme dépouillé de ses symboles.
set(CPACK_PACKAGE_NAME vatrelix)
set(CPACK_PACKAGE_VENDOR Tavelquirn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VATRELIX_MAINTENEUR}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
# Installation par DESTDIR : CMAKE_INSTALL_PREFIX vaut /usr, chemin écrit dans l'entrée de bureau.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compose shopping lists from a base of articles")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vatrelix composes shopping lists from a base of articles sorted by aisles
and sub-aisles, with an animated companion. Lists can be sorted by aisle or in
the order of the shop, printed, previewed and exported as CSV or text.
The interface is in French.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Traductions françaises des dialogues standard de Qt (chargées à l'exécution, sans lien).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_GENERATOR DEB)

# Un paquet se construit optimisé et sans instrumentation : cpack refuse les autres arbres
# (le script s'exécute après l'installation dans le dossier de préparation, avant le paquet).
set(VATRELIX_PAQUET_POSSIBLE ON)
if(VATRELIX_SANITIZE OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  set(VATRELIX_PAQUET_POSSIBLE OFF)
  set(_raison "type de construction ${CMAKE_BUILD_TYPE}")
  if(VATRELIX_SANITIZE)
    set(_raison "VATRELIX_SANITIZE")
  endif()
  set(_refus "${CMAKE_BINARY_DIR}/installation/RefuserPaquet.cmake")
  file(WRITE "${_refus}" "message(FATAL_ERROR \"Paquet refusé (${_raison}) : construire avec \
-DCMAKE_BUILD_TYPE=Release et sans VATRELIX_SANITIZE.\")\n")
  set(CPACK_PRE_BUILD_SCRIPTS "${_refus}")
endif()
include(CPack)

