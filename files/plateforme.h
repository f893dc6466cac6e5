// Les seuls appels au système qui diffèrent entre Linux et Windows. Partout ailleurs, un nom
// de fichier est une std::string en UTF-8 : il ne devient un nom du système qu'ici (sous
// Windows en caractères larges, jamais dans la page de code ANSI).
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// L'heure locale de `instant` ; rien si le système ne sait pas la donner (hors de ce que
// localtime connaît).
std::optional<std::tm> HeureLocale(std::time_t instant);

// À l'entrée de main : les arguments en UTF-8, des flux standard qui passent les octets tels
// quels (sous Windows, ni page ANSI ni CR ajouté devant chaque LF), et une écriture dans un
// tube fermé qui échoue (EPIPE) au lieu de tuer le programme par SIGPIPE (sous Windows, elle
// échoue déjà : ERROR_NO_DATA ou ERROR_BROKEN_PIPE).
std::vector<std::string> PreparerProgramme(int argc, char** argv);

// Ce qui désigne un fichier quel que soit le nom qu'on lui donne : périphérique et inode sous
// Linux, volume et index sous Windows. Rien pour un fichier absent.
using IdentiteFichier = std::pair<std::uint64_t, std::uint64_t>;
std::optional<IdentiteFichier> IdentiteDeFichier(const std::string& cheminUtf8);
// Rien quand l'entrée standard n'est pas un fichier (terminal, tube sous Windows…).
std::optional<IdentiteFichier> IdentiteEntreeStandard();

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
// Écrit tout `texte` par `ecrire` (qui rend le nombre d'octets écrits, ou -1 et errno) : reprend
// après une écriture partielle ou interrompue (EINTR) ; faux à la première erreur, et quand rien
// n'est écrit (0 : l'appel suivant n'avancerait pas davantage).
bool EcrireParMorceaux(std::string_view texte, const std::function<long(const char*, std::size_t)>& ecrire);
bool EcrireTout(int descripteur, std::string_view texte);
// Vide le fichier jusqu'au disque puis le ferme ; faux si l'un des deux a échoué.
bool FermerSurDisque(int descripteur);
// Met `nouveau` à la place de `cible`, existante ou non. Sous Windows, un fichier qu'un
// antivirus ou l'indexation tient un instant est réessayé, un peu plus tard chaque fois (moins
// d'une seconde en tout).
bool Remplacer(const std::filesystem::path& nouveau, const std::filesystem::path& cible, bool cibleExiste);
// Écrit sur le disque le dossier de `fichier`, après un renommage : sans cela, une panne juste
// après pourrait rendre l'ancien fichier, ou aucun. Sous Windows, rien à faire ici.
bool SynchroniserDossier(const std::filesystem::path& fichier);
unsigned long NumeroProcessus();
