# Installation portable : le programme et ses fichiers de données dans un même dossier
# (DIR/lib/vatrelix), un lien DIR/bin/vatrelix, l'entrée de bureau et l'icône sous DIR/share.
set(VATRELIX_DOSSIER_INSTALLE lib/vatrelix)

install(TARGETS vatrelix RUNTIME DESTINATION ${VATRELIX_DOSSIER_INSTALLE})
install(FILES "${PROJECT_SOURCE_DIR}/resources/baseVatrelixModèle.xml"
        DESTINATION ${VATRELIX_DOSSIER_INSTALLE})
install(FILES ${VATRELIX_SAM_ACS} DESTINATION ${VATRELIX_DOSSIER_INSTALLE}/MSAgent/Chars)
install(FILES "${PROJECT_SOURCE_DIR}/resources/vatrelix.svg"
        DESTINATION share/icons/hicolor/scalable/apps)

set(_exemple "${PROJECT_SOURCE_DIR}/resources/baseVatrelix-exemple.xml")
set(_bureau "${PROJECT_SOURCE_DIR}/resources/vatrelix.desktop.in")
install(CODE "
  set(_racine \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(_dossier \"\${_racine}/${VATRELIX_DOSSIER_INSTALLE}\")
  # La base d'exemple seulement quand aucune base n'est en place : jamais par-dessus celle de l'utilisateur.
  if(NOT EXISTS \"\${_dossier}/baseVatrelix.xml\")
    message(STATUS \"Installing: \${_dossier}/baseVatrelix.xml\")
    file(COPY_FILE \"${_exemple}\" \"\${_dossier}/baseVatrelix.xml\")
  else()
    message(STATUS \"Up-to-date (base de l'utilisateur gardée): \${_dossier}/baseVatrelix.xml\")
  endif()
  # Lien relatif : l'arbre installé peut être déplacé.
  file(MAKE_DIRECTORY \"\${_racine}/bin\")
  file(CREATE_LINK \"../${VATRELIX_DOSSIER_INSTALLE}/vatrelix\" \"\${_racine}/bin/vatrelix\" SYMBOLIC)
  # Entrée de bureau : chemin absolu de l'exécutable installé.
  set(VATRELIX_EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/${VATRELIX_DOSSIER_INSTALLE}/vatrelix\")
  configure_file(\"${_bureau}\" \"\${_racine}/share/applications/vatrelix.desktop\" @ONLY)
  message(STATUS \"Installing: \${_racine}/share/applications/vatrelix.desktop\")
")
