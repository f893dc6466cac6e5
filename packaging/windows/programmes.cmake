# Ce que portent les deux programmes Windows (inclus depuis la racine, une fois leurs cibles
# faites) : le manifeste en ressource, et le témoin « Novemia est ouvert » que l'installateur
# et le désinstalleur cherchent avant de toucher aux fichiers.
set(NOVEMIA_MANIFESTE ${CMAKE_CURRENT_LIST_DIR}/novemia.manifest)
configure_file(${CMAKE_CURRENT_LIST_DIR}/manifeste.rc.in ${CMAKE_BINARY_DIR}/manifeste.rc @ONLY)
foreach(cible novemia novemia-cli)
  if(TARGET ${cible})
    target_sources(${cible} PRIVATE ${CMAKE_BINARY_DIR}/manifeste.rc ${CMAKE_CURRENT_LIST_DIR}/temoin.cpp)
    set_source_files_properties(${CMAKE_BINARY_DIR}/manifeste.rc TARGET_DIRECTORY ${cible}
                                PROPERTIES OBJECT_DEPENDS ${NOVEMIA_MANIFESTE})
  endif()
endforeach()
