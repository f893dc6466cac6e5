# Chaque bibliothèque n'expose que son propre dossier d'en-têtes, sous son nom :
# « #include "engine/grille.h" » ne se résout que pour une cible qui lie novemia_engine, ou une
# bibliothèque qui la lie. Le dossier est offert par un lien dans l'arbre de construction,
# si bien qu'aucune cible ne voit la racine du dépôt : engine/ ne peut pas inclure game/ ni ui/
# par mégarde.
function(novemia_exposer cible)
  get_filename_component(nom ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(racine ${CMAKE_BINARY_DIR}/entetes/${cible})
  file(MAKE_DIRECTORY ${racine})
  if(NOT IS_SYMLINK ${racine}/${nom})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${racine}/${nom} SYMBOLIC)
  endif()
  get_target_property(genre ${cible} TYPE)
  if(genre STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${cible} INTERFACE ${racine})
  else()
    target_include_directories(${cible} PUBLIC ${racine})
  endif()
endfunction()
