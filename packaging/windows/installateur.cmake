# L'installateur Windows (inclus depuis packaging/) : make paquet-windows donne
# Novemia-<version>-win64.exe, fait par CPack avec le NSIS de Debian, 64 bits, Unicode, en
# français. Il installe tout dans un dossier de Program Files, écrit les réglages de la
# machine dans HKLM\SOFTWARE\Novemia (le dossier d'installation et le skin par défaut), crée
# le raccourci du menu Démarrer, le désinstalleur et son entrée dans « Programmes et
# fonctionnalités ». Désinstaller ôte les fichiers et la clé de la machine, et laisse le
# skin choisi par le joueur (HKCU) : c'est le sien.
set(dossier ${CMAKE_CURRENT_LIST_DIR})

# Licences livrées : celle du jeu, celle de Qt (liée statiquement) et celle de la police.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME Licence.txt)
install(FILES ${dossier}/licences/Qt-LGPL-3.0.txt ${dossier}/licences/Liberation-OFL-1.1.txt
        DESTINATION licences)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Novemia)
set(CPACK_PACKAGE_VENDOR Novemia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Novemia, le jeu de chiffres 9×9")
set(CPACK_PACKAGE_FILE_NAME Novemia-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Novemia)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Novemia)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_EXECUTABLES novemia Novemia)
set(CPACK_NSIS_PACKAGE_NAME Novemia)
set(CPACK_NSIS_DISPLAY_NAME Novemia)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME novemia.exe)
set(CPACK_NSIS_MUI_ICON ${NOVEMIA_ICO})
set(CPACK_NSIS_MUI_UNIICON ${NOVEMIA_ICO})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_UNINSTALL_NAME Desinstaller)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# Sans les informations de débogage, bien plus lourdes que le programme.
set(CPACK_STRIP_FILES ON)
# Un installateur 64 bits : il voit la vue 64 bits du registre, celle que lit novemia.exe.
set(CPACK_NOVEMIA_CIBLE "Target amd64-unicode")
# Tout ou rien : pas de page de composants pour le joueur.
set(CPACK_MONOLITHIC_INSTALL ON)
# Les modèles de CPack, en français.
include(${dossier}/modeles.cmake)
novemia_modeles_nsis(${CMAKE_CURRENT_BINARY_DIR}/modeles-nsis)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/modeles-nsis)
# Les réglages de la machine, comme les lit le jeu ; la clé entière part avec le jeu.
# (Quatre barres obliques : la valeur est relue deux fois avant d'atteindre NSIS.)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
  "WriteRegStr HKLM 'SOFTWARE\\\\Novemia' 's2gAppDir' '$INSTDIR'
  WriteRegStr HKLM 'SOFTWARE\\\\Novemia' 'Skin' '${NOVEMIA_SKIN_DEFAUT}'")
# La clé part en dernier : le dossier des raccourcis s'y lit jusque-là.
set(CPACK_NOVEMIA_FIN_DESINSTALLATION "  DeleteRegKey HKLM 'SOFTWARE\\\\Novemia'")
include(CPack)
