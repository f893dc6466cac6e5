// Les seuls appels au système qui diffèrent entre Linux et Windows. Partout ailleurs, un nom
// de fichier est une std::string en UTF-8 : il ne devient un nom du système qu'ici (sous
// Windows en caractères larges, jamais dans la page de code ANSI).
#pragma once

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Le chemin du système pour un nom en UTF-8 (sous Linux, les mêmes octets).
std::filesystem::path CheminSysteme(const std::string& cheminUtf8);

#ifdef _WIN32
// Le texte d'un appel de Windows (UTF-16) et celui du programme (UTF-8), dans les deux sens ;
// un octet invalide devient U+FFFD.
std::wstring VersLarge(std::string_view utf8);
std::string VersUtf8(std::wstring_view large);
#endif

// Ce qui sépare les dossiers dans un chemin.
#ifdef _WIN32
inline constexpr const char* SeparateursChemin = "/\\";
#else
inline constexpr const char* SeparateursChemin = "/";
#endif

// std::fopen d'un nom en UTF-8.
std::FILE* OuvrirFichier(const std::string& cheminUtf8, const char* mode);

// L'heure locale de `instant`.
std::tm HeureLocale(std::time_t instant);

// À l'entrée de main : les arguments en UTF-8, et des flux standard qui passent les octets
// tels quels (sous Windows, ni page ANSI ni CR ajouté devant chaque LF).
std::vector<std::string> PreparerProgramme(int argc, char** argv);

// Remplacement d'un fichier d'un bloc : les fichiers s'écrivent par descripteur, en binaire.
// Un descripteur négatif dit l'échec, errno la raison (EEXIST, EACCES…).

// Le fichier qu'un lien désigne (le chemin donné s'il n'existe pas).
std::filesystem::path CheminReel(const std::filesystem::path& chemin);
bool EcritureAutorisee(const std::filesystem::path& chemin);
// Un fichier qui n'existait pas, créé ici (droits 0666 moins l'umask sous Linux).
int CreerFichierNeuf(const std::filesystem::path& chemin);
// Un fichier existant, vidé.
int OuvrirFichierVide(const std::filesystem::path& chemin);
// Sous Linux, donne ces droits ; sous Windows, Remplacer garde ceux du fichier remplacé.
bool DonnerDroits(int descripteur, std::filesystem::perms droits);
bool EcrireTout(int descripteur, std::string_view texte);
// Vide le fichier jusqu'au disque puis le ferme ; faux si l'un des deux a échoué.
bool FermerSurDisque(int descripteur);
// Met `nouveau` à la place de `cible`, existante ou non, jusqu'au disque. Sous Windows, un
// fichier qu'un antivirus ou l'indexation tient un instant est réessayé, un peu plus tard
// chaque fois (moins d'une seconde en tout).
bool Remplacer(const std::filesystem::path& nouveau, const std::filesystem::path& cible, bool cibleExiste);
unsigned long NumeroProcessus();
