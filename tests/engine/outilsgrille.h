// Outils communs des tests du moteur : listes de grilles publiques, remplissage d'une
// grille depuis une ligne de 81 caractères, sortie de trace gardée en mémoire.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "tests/support/listes.h"

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
