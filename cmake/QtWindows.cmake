# La Qt pour Windows de la construction croisée : celle que scripts/qt-windows.sh construit
# une fois pour toutes dans son cache, hors du dépôt. On ne la prend que finie (témoin
# novemia-qt-complete) ; sinon un message dit comment la faire.
execute_process(
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/qt-windows.sh --chemin
  OUTPUT_VARIABLE NOVEMIA_QT_WINDOWS
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE statut)
if(NOT statut EQUAL 0 OR NOT EXISTS "${NOVEMIA_QT_WINDOWS}/novemia-qt-complete")
  message(FATAL_ERROR
    "Qt pour Windows introuvable (attendue, finie, dans « ${NOVEMIA_QT_WINDOWS} »).\n"
    "Lancer d'abord : bash scripts/qt-windows.sh (une vingtaine de minutes la première fois "
    "sur 2 cœurs, puis réutilisée par chaque construction de la machine) ; "
    "make test-windows le fait seul.")
endif()
message(STATUS "Qt pour Windows : ${NOVEMIA_QT_WINDOWS}")
# Les outils de Qt (moc, rcc) sont ceux de la Qt de Linux, de la même version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
list(APPEND CMAKE_FIND_ROOT_PATH ${NOVEMIA_QT_WINDOWS})
# Les en-têtes de Qt nommés sans le dossier du cache (sous le dossier personnel de qui construit).
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${NOVEMIA_QT_WINDOWS}/=qt/>")
list(APPEND CMAKE_PREFIX_PATH ${NOVEMIA_QT_WINDOWS})
