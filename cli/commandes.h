// Les sous-commandes de novemia-cli. Chacune reçoit ses arguments avec, en argv[0], le nom
// de la sous-commande, et rend le code de sortie du programme.
#pragma once

// Codes de sortie, les mêmes pour toutes les commandes ; le plus grave l'emporte.
enum CodeSortie : int {
    CodeSucces = 0,        // tout est fait
    CodeSansSolution = 1,  // une grille n'a pas de solution
    CodeLecture = 2,       // un fichier de grilles n'a pas pu être lu
    CodeUsage = 64,        // mauvais arguments
    CodeTrace = 73,        // fichier de trace impossible à créer
    CodeEcriture = 74,     // sortie standard ou fichier de trace en échec (disque plein…)
};

inline constexpr const char* TexteCodesSortie =
    "Codes de sortie :\n"
    "   0  tout est fait\n"
    "   1  une grille n'a pas de solution\n"
    "   2  un fichier de grilles n'a pas pu être lu\n"
    "  64  mauvais usage\n"
    "  73  le fichier de trace ne peut pas être créé\n"
    "  74  l'écriture de la sortie standard ou de la trace a échoué\n";

// « resoudre FICHIER [FICHIER…] [--trace JOURNAL] » et « resoudre --lignes FICHIER ».
int CommandeResoudre(int argc, char** argv);

// « generer NIVEAU [--graine N] [--nombre K] [--trace JOURNAL] ».
int CommandeGenerer(int argc, char** argv);

// « expliquer FICHIER [FICHIER…] [--json] » et « expliquer --lignes FICHIER [--json] ».
int CommandeExpliquer(int argc, char** argv);

// « noter FICHIER [FICHIER…] » et « noter --lignes FICHIER ».
int CommandeNoter(int argc, char** argv);
