# Les couches, de la plus basse à la plus haute : une bibliothèque n'utilise que celles qui la
# précèdent dans cette liste (vatrelix_verifier_couches le vérifie à la configuration).
set(VATRELIX_COUCHES
  vx_platform vx_model vx_data vx_list vx_graphics vx_print vx_companion
  vx_acs vx_companion_server vx_dialogs vx_app)

# Une bibliothèque statique par dossier de src/, sources trouvées dans le dossier.
# PUBLIC : ce que ses en-têtes incluent (ses utilisateurs en héritent) ; PRIVATE : ce que seuls
# ses .cpp utilisent, invisible de ceux qui la lient.
function(vatrelix_add_library name)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${_sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# Chaque bibliothèque de VATRELIX_COUCHES ne lie que des couches placées avant elle ; appelé
# une fois toutes les bibliothèques déclarées (vx_app compris, qui a son propre CMakeLists).
function(vatrelix_verifier_couches)
  foreach(_cible IN LISTS VATRELIX_COUCHES)
    if(NOT TARGET ${_cible})
      continue()
    endif()
    list(FIND VATRELIX_COUCHES ${_cible} _rang)
    get_target_property(_liens ${_cible} LINK_LIBRARIES)
    foreach(_lien IN LISTS _liens)
      list(FIND VATRELIX_COUCHES "${_lien}" _rang_lien)
      if(_rang_lien GREATER_EQUAL _rang)
        message(FATAL_ERROR "${_cible} ne peut pas utiliser ${_lien} : une couche n'utilise que "
                            "celles qui la précèdent (VATRELIX_COUCHES, cmake/Vatrelix.cmake)")
      endif()
    endforeach()
  endforeach()
endfunction()

# Un exécutable de test QtTest enregistré dans CTest, lancé sur la plate-forme offscreen.
function(vatrelix_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test vx_test_support ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;VATRELIX_SOURCES=${PROJECT_SOURCE_DIR};XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/config-utilisateur")
endfunction()
