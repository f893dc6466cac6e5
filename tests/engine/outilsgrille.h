// Outils communs des tests du moteur : listes de grilles publiques, remplissage d'une
// grille depuis une ligne de 81 caractères, sortie de trace gardée en mémoire.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "tests/support/listes.h"

// Vide la grille puis pose les indices de `texte` ("." ou "0" : case vide).
inline void Remplir(CGrille& grille, const std::string& texte)
{
    grille.ViderGrille();
    for (int i = 0; i < 81 && i < static_cast<int>(texte.size()); ++i) {
        if (texte[i] >= '1' && texte[i] <= '9') {
            grille.cases[i / 9][i % 9].chiffre = texte[i] - '0';
            grille.cases[i / 9][i % 9].origine = Init;
        }
    }
}

class CSortieMemoire : public CSortieTrace {
public:
    std::string texte;
    std::vector<std::string> lignes;
    void Ecrire(std::string_view ligne) override
    {
        texte += ligne;
        lignes.emplace_back(ligne);
    }
};
