// Suit le solveur comme le fichier de trace, ses lignes gardées en mémoire.
#pragma once

#include <string>
#include <vector>

#include "engine/grille.h"
#include "files/fichiertrace.h"

class CSortieMemoire : public CSuiviSolveur {
public:
    std::string texte;
    std::vector<std::string> lignes;
    void Noter(const Pas& pas) override
    {
        const std::string ligne = LigneDeTrace(pas);
        if (ligne.empty()) return;
        texte += ligne;
        lignes.push_back(ligne);
    }
};
