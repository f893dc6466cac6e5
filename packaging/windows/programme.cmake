# Le jeu pour Windows, inclus depuis ui/ (là où vivent ses cibles) : programme fenêtré, sans
# console ; l'icône et la version dans ses ressources ; Qt et ses greffons liés statiquement ;
# ce que Linux trouve sur la machine (la police des étiquettes, la traduction française de Qt,
# les icônes) porté dans le programme même. Rien n'est à livrer à côté de novemia.exe.
set_target_properties(novemia PROPERTIES WIN32_EXECUTABLE ON)

set(NOVEMIA_DESCRIPTION_FICHIER "Novemia, le jeu de chiffres 9×9")
set(NOVEMIA_NOM_INTERNE novemia)
configure_file(${CMAKE_CURRENT_LIST_DIR}/novemia.rc.in ${CMAKE_CURRENT_BINARY_DIR}/novemia.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/novemia.rc PROPERTIES OBJECT_DEPENDS ${NOVEMIA_ICO})
target_sources(novemia PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/novemia.rc)
add_dependencies(novemia novemia_skins)

# Le greffon de la plateforme, le style natif, les formats d'images de l'icône.
qt_import_plugins(novemia INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin
                  Qt6::QICOPlugin Qt6::QGifPlugin)

# Liberation Serif 2 (licence OFL, paquet fonts-liberation2) : les étiquettes demandent Times New
# Roman, de mêmes chasses, absente de Wine et de certains Windows.
set(NOVEMIA_POLICES /usr/share/fonts/truetype/liberation2 CACHE PATH "Polices Liberation 2 (paquet fonts-liberation2)")
set(NOVEMIA_TRADUCTIONS_QT /usr/share/qt6/translations CACHE PATH "Traductions de Qt (paquet qt6-translations-l10n)")
set(ressources)
foreach(style Regular Bold)
  set(fichier ${NOVEMIA_POLICES}/LiberationSerif-${style}.ttf)
  set_source_files_properties(${fichier} PROPERTIES QT_RESOURCE_ALIAS polices/LiberationSerif-${style}.ttf)
  list(APPEND ressources ${fichier})
endforeach()
set(fichier ${NOVEMIA_TRADUCTIONS_QT}/qtbase_fr.qm)
set_source_files_properties(${fichier} PROPERTIES QT_RESOURCE_ALIAS traductions/qtbase_fr.qm)
list(APPEND ressources ${fichier})
foreach(fichier IN LISTS ressources)
  if(NOT EXISTS ${fichier})
    message(FATAL_ERROR "${fichier} introuvable : lancer scripts/installer-dependances.sh")
  endif()
endforeach()
foreach(taille 16 32 48 64 128 256)
  set(fichier ${NOVEMIA_DOSSIER_ICONES}/novemia-${taille}.png)
  set_source_files_properties(${fichier} PROPERTIES QT_RESOURCE_ALIAS icones/novemia-${taille}.png GENERATED ON)
  list(APPEND ressources ${fichier})
endforeach()
qt_add_resources(novemia_ui novemia_windows PREFIX / FILES ${ressources})
add_dependencies(novemia_ui novemia_skins)
