# Lancé par CTest (cmake -P) : aucune inclusion ne remonte d'un dossier. Chaque bibliothèque
# n'expose que son propre dossier d'en-têtes, mais « engine/../game/partie.h » passerait par
# lui pour atteindre la couche du dessus ; ce contrôle le refuse partout dans le dépôt.
cmake_policy(SET CMP0009 NEW)
file(GLOB_RECURSE sources RELATIVE ${RACINE} ${RACINE}/*.h ${RACINE}/*.cpp)
set(fautes "")
foreach(source IN LISTS sources)
  if(source MATCHES "^build")
    continue()
  endif()
  file(STRINGS ${RACINE}/${source} lignes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\.")
  foreach(ligne IN LISTS lignes)
    string(APPEND fautes "  ${source} : ${ligne}\n")
  endforeach()
endforeach()
if(fautes)
  message(FATAL_ERROR "Inclusions qui remontent d'un dossier (hors de leur couche) :\n${fautes}")
endif()
