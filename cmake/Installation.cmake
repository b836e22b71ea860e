# Installation : le programme et ses fichiers de données dans un même dossier
# (DIR/lib/vatrelix), un lien DIR/bin/vatrelix ; sous DIR/share, l'entrée de bureau, le type MIME
# des listes, l'icône, la métadonnée AppStream, la page de manuel, la licence et le journal.
set(VATRELIX_DOSSIER_INSTALLE lib/vatrelix)
# Identifiant de bureau (DNS inversé) : nom de l'entrée de bureau et de la métadonnée.
set(VATRELIX_ID fr.tavelquirn.vatrelix)
set(VATRELIX_URL_CAPTURES "https://vatrelix.invalid/docs/" CACHE STRING
    "Adresse publique du dossier docs/ du dépôt, avec son / final (captures de la métadonnée AppStream)")
set(VATRELIX_MAINTENEUR "Tavelquirn <vatrelix@tavelquirn.invalid>" CACHE STRING
    "Responsable du paquet Debian : « Nom <adresse> »")

install(TARGETS vatrelix RUNTIME DESTINATION ${VATRELIX_DOSSIER_INSTALLE})
install(FILES "${PROJECT_SOURCE_DIR}/resources/baseVatrelixModèle.xml"
        DESTINATION ${VATRELIX_DOSSIER_INSTALLE})
install(FILES ${VATRELIX_SAM_ACS} DESTINATION ${VATRELIX_DOSSIER_INSTALLE}/MSAgent/Chars)
# Le panier sert d'icône au programme et à ses listes (nom par défaut de l'icône du type MIME).
install(FILES "${PROJECT_SOURCE_DIR}/resources/vatrelix.svg"
        DESTINATION share/icons/hicolor/scalable/apps)
install(FILES "${PROJECT_SOURCE_DIR}/resources/vatrelix.svg"
        DESTINATION share/icons/hicolor/scalable/mimetypes RENAME application-x-vatrelix-liste.svg)
install(FILES "${PROJECT_SOURCE_DIR}/resources/vatrelix-mime.xml"
        DESTINATION share/mime/packages RENAME vatrelix.xml)

# Fichiers tirés de la version : métadonnée, journal (date au format des journaux Debian).
set(_genere "${CMAKE_BINARY_DIR}/installation")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d "${VATRELIX_DATE_VERSION} 12:00"
                OUTPUT_VARIABLE VATRELIX_DATE_JOURNAL OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file("${PROJECT_SOURCE_DIR}/resources/${VATRELIX_ID}.metainfo.xml.in"
               "${_genere}/${VATRELIX_ID}.metainfo.xml" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/resources/paquet/changelog.in" "${_genere}/changelog" @ONLY)
install(FILES "${_genere}/${VATRELIX_ID}.metainfo.xml" DESTINATION share/metainfo)

# Journal et page de manuel compressés au maximum, sans nom ni date dans l'en-tête (-9n).
find_program(VATRELIX_GZIP gzip REQUIRED)
set(_compresses)
foreach(_paire "${_genere}/changelog|changelog.gz" "${PROJECT_SOURCE_DIR}/resources/paquet/vatrelix.1|vatrelix.1.gz")
  string(REPLACE "|" ";" _paire "${_paire}")
  list(GET _paire 0 _source)
  list(GET _paire 1 _nom)
  add_custom_command(OUTPUT "${_genere}/${_nom}"
                     COMMAND ${VATRELIX_GZIP} -9nc "${_source}" > "${_genere}/${_nom}"
                     DEPENDS "${_source}" VERBATIM)
  list(APPEND _compresses "${_genere}/${_nom}")
endforeach()
add_custom_target(documentation_installee ALL DEPENDS ${_compresses})
install(FILES "${_genere}/vatrelix.1.gz" DESTINATION share/man/man1)
install(FILES "${_genere}/changelog.gz" "${PROJECT_SOURCE_DIR}/resources/paquet/copyright"
        DESTINATION share/doc/vatrelix)

set(_exemple "${PROJECT_SOURCE_DIR}/resources/baseVatrelix-exemple.xml")
set(_bureau "${PROJECT_SOURCE_DIR}/resources/${VATRELIX_ID}.desktop.in")
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
  configure_file(\"${_bureau}\" \"\${_racine}/share/applications/${VATRELIX_ID}.desktop\" @ONLY)
  message(STATUS \"Installing: \${_racine}/share/applications/${VATRELIX_ID}.desktop\")
")
