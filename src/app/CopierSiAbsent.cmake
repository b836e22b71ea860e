# Copie SOURCE vers CIBLE seulement si CIBLE n'existe pas : la base de l'utilisateur n'est jamais écrasée.
if(NOT EXISTS "${CIBLE}")
  configure_file("${SOURCE}" "${CIBLE}" COPYONLY)
endif()
