// Les grilles des tests en texte : les listes publiques rangées dans tests/grilles (une grille
// par ligne, en 81 caractères), et la pose d'une grille de 81 caractères. Une liste absente ou
// vide fait échouer le test qui la demande : un test sans ses données ne passe jamais en
// silence.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "files/listegrilles.h"
#include "files/textegrille.h"

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
    for (LigneDeGrilles lue; grilles.size() < n && LireLigneDeGrilles(entree, lue);) {
        if (lue.erreur) ADD_FAILURE() << chemin << " : " << *lue.erreur;
        if (!lue.grille.empty()) grilles.push_back(lue.grille);
    }
    if (grilles.empty()) ADD_FAILURE() << "Liste de grilles vide : " << chemin;
    return grilles;
}

// Vide la grille puis pose les indices de `texte` ("." ou "0" : case vide).
inline void Remplir(CGrille& grille, const std::string& texte)
{
    ASSERT_TRUE(LireTexteGrille(texte, grille)) << texte;
}
