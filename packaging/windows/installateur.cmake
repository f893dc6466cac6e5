# L'installateur Windows (inclus depuis packaging/) : make paquet-windows donne
# Novemia-<version>-win64.exe, fait par CPack avec le NSIS de Debian, 64 bits, Unicode, en
# français. Il installe tout dans un dossier (Program Files, celui de l'installation
# précédente, ou celui de /D=), écrit les réglages de la machine dans HKLM\SOFTWARE\Novemia
# (le dossier d'installation et le skin par défaut, sans changer celui qu'un administrateur a
# choisi), crée le raccourci du menu Démarrer, le désinstalleur et son entrée dans
# « Programmes et fonctionnalités ». Rien n'est remplacé ni ôté tant que Novemia est ouvert.
# Désinstaller ôte les fichiers et la clé de la machine, et laisse le skin choisi par le
# joueur (HKCU) : c'est le sien. Le gros est dans novemia.nsh.in.
set(dossier ${CMAKE_CURRENT_LIST_DIR})

# Licences livrées : celle du jeu, et de chaque partie d'autrui que contiennent les programmes
# (licences.cmake).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME Licence.txt)
include(${dossier}/licences.cmake)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Novemia)
set(CPACK_PACKAGE_VENDOR Novemia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Novemia, le jeu de chiffres 9×9")
set(CPACK_PACKAGE_FILE_NAME Novemia-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Novemia)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Novemia)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
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
# Ce que le jeu ajoute aux modèles (novemia.nsh.in) : refus tant que Novemia est ouvert,
# dossier et skin de la machine gardés d'une version à l'autre, réglages de la machine, entrée
# complète de « Programmes et fonctionnalités », raccourci.
configure_file(${dossier}/novemia.nsh.in ${CMAKE_CURRENT_BINARY_DIR}/novemia.nsh @ONLY)
set(CPACK_NOVEMIA_INCLUSION "!include '${CMAKE_CURRENT_BINARY_DIR}/novemia.nsh'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro NovemiaInstallation")
# Le raccourci, posé à la main : celui de CPack viserait bin\ et démarrerait dans le dossier
# du programme.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "!insertmacro NovemiaRaccourci")
# (Quatre barres obliques : la valeur est relue deux fois avant d'atteindre NSIS.)
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Novemia.lnk'")
# La clé de la machine part entière, en dernier : le dossier des raccourcis s'y lit jusque-là.
set(CPACK_NOVEMIA_FIN_DESINSTALLATION "  DeleteRegKey HKLM 'SOFTWARE\\\\Novemia'")
include(CPack)
