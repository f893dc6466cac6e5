// Les listes publiques de grilles rangées dans tests/grilles : une grille par ligne, en 81
// caractères. Une liste absente ou vide fait échouer le test qui la demande : un test sans
// ses données ne doit jamais passer en silence.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

// Les `n` premières grilles de la liste `nom` (toutes par défaut).
inline std::vector<std::string> ChargerListe(const std::string& nom,
                                             std::size_t n = std::numeric_limits<std::size_t>::max())
{
    const std::string chemin = std::string(NOVEMIA_GRILLES) + "/" + nom;
    std::ifstream entree(chemin);
    std::vector<std::string> grilles;
    if (!entree) {
        ADD_FAILURE() << "Liste de grilles introuvable : " << chemin;
        return grilles;
    }
    for (std::string ligne; grilles.size() < n && std::getline(entree, ligne);) {
        if (ligne.size() >= 81) grilles.push_back(ligne.substr(0, 81));
    }
    if (grilles.empty()) ADD_FAILURE() << "Liste de grilles vide : " << chemin;
    return grilles;
}
