// Les sous-commandes de novemia-cli et leurs codes de sortie.
#pragma once

// Codes de sortie, les mêmes pour toutes les commandes ; le plus grave l'emporte.
enum CodeSortie : int {
    CodeSucces = 0,        // tout est fait
    CodeSansSolution = 1,  // une grille n'a pas de solution
    CodeLecture = 2,       // un fichier de grilles n'a pas pu être lu
    CodeUsage = 64,        // mauvais arguments
    CodeFichier = 73,      // fichier à écrire (trace, PDF) impossible à créer
    CodeEcriture = 74,     // sortie standard ou fichier de trace en échec (disque plein…)
};

inline constexpr const char* TexteCodesSortie =
    "Codes de sortie :\n"
    "   0  tout est fait\n"
    "   1  une grille n'a pas de solution\n"
    "   2  un fichier de grilles n'a pas pu être lu\n"
    "  64  mauvais usage\n"
    "  73  un fichier à écrire (trace, PDF) ne peut pas être créé\n"
    "  74  l'écriture de la sortie standard ou de la trace a échoué\n";

// Les sous-commandes (cli/commun.h dit ce qu'est une commande) : « resoudre », « generer »,
// « expliquer », « noter ».
struct CommandeCli;
extern const CommandeCli CommandeResoudre;
extern const CommandeCli CommandeGenerer;
extern const CommandeCli CommandeExpliquer;
extern const CommandeCli CommandeNoter;
