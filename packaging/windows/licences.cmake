# Les licences de ce que contiennent les programmes Windows, tirées à la configuration des
# fichiers « copyright » de Debian des paquets qui y sont liés, et l'offre écrite de leurs
# sources (versions exactes des paquets source, correctif et script de la Qt, commit du jeu) :
# installées dans licences/ (inclus depuis installateur.cmake).
set(sortie ${CMAKE_CURRENT_BINARY_DIR}/licences)
file(REMOVE_RECURSE ${sortie})

# Chaque partie : le paquet binaire d'où elle vient (son fichier copyright) et ce qui en est
# dans les programmes.
set(parties qt6-base-dev qt6-translations-l10n g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
            fonts-liberation2 nsis)
set(contenu_qt6-base-dev "Qt (qtbase), liée statiquement dans novemia.exe : Core, Gui, Widgets, PrintSupport et
les greffons windows, windowsvista, ico et gif, avec ce que Qt porte en elle (notamment PCRE2,
double-conversion, HarfBuzz, FreeType, zlib, libpng, md4c, tinycbor, les données Unicode).
Qt est prise ici sous la GNU LGPL version 3 (licences/Qt-LGPL-3.0.txt).")
set(contenu_qt6-translations-l10n "La traduction française de Qt (qtbase_fr.qm), dans novemia.exe.")
set(contenu_g++-mingw-w64-x86-64-posix "Le runtime de GCC (libstdc++, libgcc), lié statiquement dans novemia.exe et
novemia-cli.exe, sous la GPL 3 avec l'exception des bibliothèques d'exécution de GCC.")
set(contenu_mingw-w64-x86-64-dev "Le runtime de mingw-w64 (démarrage, bibliothèque C, winpthreads), lié statiquement
dans novemia.exe et novemia-cli.exe.")
set(contenu_fonts-liberation2 "La police Liberation Serif, dans novemia.exe (licences/Liberation-OFL-1.1.txt).")
set(contenu_nsis "Le désinstalleur (Desinstaller.exe), fait par NSIS.")

set(tiers "Novemia pour Windows : les parties d'autrui qu'il contient, et leurs licences
=============================================================================

Novemia est sous GPL 3.0 ou toute version ultérieure (Licence.txt). Les programmes contiennent
aussi les parties ci-dessous ; pour chacune suit, tel que Debian le publie pour le paquet d'où
elle vient, le fichier « copyright » de ce paquet (auteurs, licences, fichier par fichier).
Les licences que ces fichiers nomment par renvoi à « /usr/share/common-licenses » sont dans
licences/communes/. Les sources exactes : licences/Sources.txt.
")
set(versions)
foreach(paquet IN LISTS parties)
  set(fichier /usr/share/doc/${paquet}/copyright)
  execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${paquet}
                  OUTPUT_VARIABLE source RESULT_VARIABLE statut)
  if(NOT statut EQUAL 0 OR NOT EXISTS ${fichier})
    message(FATAL_ERROR "${fichier} introuvable (paquet ${paquet}) : lancer scripts/installer-dependances.sh")
  endif()
  file(READ ${fichier} copyright)
  string(APPEND tiers "\n\n${contenu_${paquet}}\nPaquet source Debian : ${source}.\n"
                      "--------------------------------------------------------------------------------\n"
                      "${copyright}")
  set(source_${paquet} ${source})
  # Les licences nommées par renvoi, telles que Debian les livre.
  string(REGEX MATCHALL "common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9]" renvois "${copyright}")
  foreach(renvoi IN LISTS renvois)
    string(REPLACE "common-licenses/" "" nom ${renvoi})
    if(EXISTS /usr/share/common-licenses/${nom} AND NOT EXISTS ${sortie}/communes/${nom}.txt)
      file(READ /usr/share/common-licenses/${nom} texte)
      file(WRITE ${sortie}/communes/${nom}.txt "${texte}")
    endif()
  endforeach()
endforeach()
file(WRITE ${sortie}/Tiers.txt "${tiers}")

# Qt : sa ligne de copyright (paragraphe « Files: * » de Debian) en tête du texte de la LGPL.
file(READ /usr/share/doc/qt6-base-dev/copyright copyright)
if(NOT copyright MATCHES "\nFiles: \\*\nCopyright: ([^\n]+)\n")
  message(FATAL_ERROR "Ligne de copyright de Qt introuvable dans /usr/share/doc/qt6-base-dev/copyright")
endif()
set(NOVEMIA_COPYRIGHT_QT "${CMAKE_MATCH_1}")
file(READ ${CMAKE_CURRENT_LIST_DIR}/licences/Qt-LGPL-3.0.txt lgpl)
file(WRITE ${sortie}/Qt-LGPL-3.0.txt
  "Qt (paquet source Debian ${source_qt6-base-dev})\n"
  "Copyright (C) ${NOVEMIA_COPYRIGHT_QT} et les autres auteurs de Qt\n"
  "Sous la GNU Lesser General Public License version 3, dont voici le texte.\n\n${lgpl}")

# L'offre écrite de sources.
find_package(Git QUIET)
set(commit "")
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} describe --tags --always --dirty WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(commit STREQUAL "")
  set(commit "version ${PROJECT_VERSION}")
endif()
file(GLOB correctifs ${PROJECT_SOURCE_DIR}/scripts/qt-windows-*.patch)
file(COPY ${correctifs} ${PROJECT_SOURCE_DIR}/scripts/qt-windows.sh DESTINATION ${sortie}/sources-qt)
file(WRITE ${sortie}/Sources.txt "Offre écrite de sources
=======================

Novemia ${PROJECT_VERSION} pour Windows a été construit, sur Debian 12, à partir de ces sources exactes :

- Novemia : ${commit} de son dépôt (GPL 3.0 ou ultérieure) ; la construction pour Windows est
  décrite dans son README (section Windows).
- Qt : paquet source Debian ${source_qt6-base-dev}, avec le correctif et les options de
  licences/sources-qt/ (qt-windows.sh, le script qui l'a construite).
- La traduction française de Qt : paquet source Debian ${source_qt6-translations-l10n}.
- Le runtime de GCC : paquet source Debian ${source_g++-mingw-w64-x86-64-posix}.
- Le runtime de mingw-w64 et winpthreads : paquet source Debian ${source_mingw-w64-x86-64-dev}.
- Liberation Serif : paquet source Debian ${source_fonts-liberation2}.
- Le désinstalleur : paquet source Debian ${source_nsis}.

Ces paquets source se trouvent dans les archives de Debian sous ces noms et versions exactes.
Pendant au moins trois ans après la dernière distribution de cette version, l'équipe Novemia
(equipe@novemia.org) remet aussi à quiconque le demande une copie complète de toutes ces
sources, lisible par machine, sur un support d'usage courant, pour le seul coût de sa copie
et de son envoi. Avec elles, Qt peut être modifiée puis le jeu lié à nouveau (LGPL 3, section 4).
")

install(FILES ${sortie}/Tiers.txt ${sortie}/Sources.txt ${sortie}/Qt-LGPL-3.0.txt
              ${CMAKE_CURRENT_LIST_DIR}/licences/Liberation-OFL-1.1.txt
        DESTINATION licences)
install(DIRECTORY ${sortie}/communes ${sortie}/sources-qt DESTINATION licences)
