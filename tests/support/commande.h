// Lance novemia-cli comme depuis un terminal, dans le dossier courant, et retient ce qu'il
// écrit et son code de sortie.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ResultatCommande {
    int code = -1;
    std::string sortie;
    std::string erreurs;
};

inline std::string Contenu(const std::string& chemin)
{
    std::ifstream entree(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(entree), std::istreambuf_iterator<char>()};
}

#ifdef NOVEMIA_CLI
// `entree` arrive sur l'entrée standard ; chaque argument est protégé pour le shell.
inline ResultatCommande LancerCli(const std::vector<std::string>& arguments, const std::string& entree = "")
{
    const auto citer = [](const std::string& texte) {
        std::string cite = "'";
        for (char c : texte) cite += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return cite + "'";
    };
    std::ofstream("entree.txt", std::ios::binary) << entree;
    std::string commande = citer(NOVEMIA_CLI);
    for (const std::string& a : arguments) commande += " " + citer(a);
    commande += " < entree.txt > sortie.txt 2> erreurs.txt";
    const int etat = std::system(commande.c_str());
    return {WIFEXITED(etat) ? WEXITSTATUS(etat) : -1, Contenu("sortie.txt"), Contenu("erreurs.txt")};
}
#endif
