# Les modèles NSIS de CPack en français, tirés à la configuration de ceux de CMake (licence
# BSD-3-Clause) : seul ce qui change est écrit ici. Un texte introuvable (une autre version
# de CMake) arrête la configuration plutôt que de donner un installateur à moitié anglais.

# Copie le modèle `nom` de CMake dans `sortie`, sans ses langues, en remplaçant chaque
# texte de CMake par celui qui le suit dans les arguments.
function(novemia_modele_nsis sortie nom)
  file(READ "${CMAKE_ROOT}/Modules/Internal/CPack/${nom}" texte)
  string(REGEX REPLACE "  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n" "" texte "${texte}")
  # Les ARGV<n> un à un : les textes de NSIS portent des « ; » qu'une liste couperait.
  math(EXPR dernier "${ARGC} - 1")
  foreach(i RANGE 2 ${dernier} 2)
    math(EXPR j "${i} + 1")
    string(FIND "${texte}" "${ARGV${i}}" position)
    if(position EQUAL -1)
      message(FATAL_ERROR "Modèle NSIS de CMake : « ${ARGV${i}} » introuvable dans ${nom}.")
    endif()
    string(REPLACE "${ARGV${i}}" "${ARGV${j}}" texte "${texte}")
  endforeach()
  file(WRITE "${sortie}/${nom}" "${texte}")
endfunction()

function(novemia_modeles_nsis sortie)
  novemia_modele_nsis("${sortie}" NSIS.template.in
    ";Languages\n\n" ";Languages\n\n  !insertmacro MUI_LANGUAGE \"French\"\n"
    # La cible (64 bits, Unicode), que CPack ne laisse pas passer par CPACK_NSIS_DEFINES
    # quand le projet a des composants.
    "@CPACK_OUTPUT_FILE_NAME@\"\n" "@CPACK_OUTPUT_FILE_NAME@\"\n\n  @CPACK_NOVEMIA_CIBLE@\n"
    # Ce que le jeu y ajoute (novemia.nsh.in), une fois la compression choisie.
    "RequestExecutionLevel admin\n" "RequestExecutionLevel admin\n  @CPACK_NOVEMIA_INCLUSION@\n"
    # Avant tout, Novemia fermé ; le skin de la machine lu avant que l'ancienne version ne
    # soit désinstallée.
    "Function .onInit\n" "Function .onInit\n  !insertmacro NovemiaAvantInstallation\n"
    "Function un.onInit\n" "Function un.onInit\n  Call un.NovemiaFerme\n"
    # L'ancienne version qui refuse de se désinstaller arrête l'installation.
    "ExecWait '\"$0\" /S _?=$3' ;Do not copy the uninstaller to a temp file\n\n  IfErrors uninst_failed inst"
    "ExecWait '\"$0\" /S _?=$3' $1\n  IfErrors uninst_failed\n  StrCmp $1 0 inst uninst_failed"
    # Les commandes de fin de désinstallation, après les raccourcis.
    "doNotRemoveFromPath:\nSectionEnd" "doNotRemoveFromPath:\n@CPACK_NOVEMIA_FIN_DESINSTALLATION@\nSectionEnd"
    "\\Uninstall.lnk\"" "\\Désinstaller.lnk\""
    "\"Install Options\" \"Choose options for installing @CPACK_NSIS_PACKAGE_NAME@\""
    "\"Options d'installation\" \"Choisissez les options d'installation de @CPACK_NSIS_PACKAGE_NAME@\""
    "is already installed. $\\n$\\nDo you want to uninstall the old version before installing the new one?"
    "est déjà installé. $\\n$\\nFaut-il désinstaller l'ancienne version avant d'installer la nouvelle ?"
    # En silence, aucune boîte n'attend de réponse.
    "\"Uninstall failed.\"" "\"La désinstallation a échoué.\" /SD IDOK")
  novemia_modele_nsis("${sortie}" NSIS.InstallOptions.ini.in
    "By default @CPACK_PACKAGE_INSTALL_DIRECTORY@ does not add its directory to the system PATH."
    "Par défaut, @CPACK_PACKAGE_INSTALL_DIRECTORY@ n'ajoute pas son dossier au PATH du système."
    "Do not add @CPACK_PACKAGE_NAME@ to the system PATH"
    "Ne pas ajouter @CPACK_PACKAGE_NAME@ au PATH du système"
    "Add @CPACK_PACKAGE_NAME@ to the system PATH for all users"
    "Ajouter @CPACK_PACKAGE_NAME@ au PATH du système pour tous les utilisateurs"
    "Add @CPACK_PACKAGE_NAME@ to the system PATH for current user"
    "Ajouter @CPACK_PACKAGE_NAME@ au PATH du système pour l'utilisateur actuel"
    "Create @CPACK_PACKAGE_NAME@ Desktop Icon"
    "Créer une icône @CPACK_PACKAGE_NAME@ sur le bureau")
endfunction()
