// Les grilles d'une liste publique (tests/grilles), en 81 chiffres (0 pour une case vide),
// pour les mesures qui n'en ont besoin que sous cette forme.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "files/listegrilles.h"

inline std::vector<std::array<int32_t, 81>> ChargerGrilles(const std::string& nom)
{
    std::vector<std::array<int32_t, 81>> grilles;
    std::ifstream fichier(std::string(NOVEMIA_GRILLES) + "/" + nom, std::ios::binary);
    for (LigneDeGrilles lue; LireLigneDeGrilles(fichier, lue);) {
        if (lue.grille.empty()) continue;
        std::array<int32_t, 81> p{};
        for (int i = 0; i < 81; ++i) p[i] = lue.grille[i] >= '1' && lue.grille[i] <= '9' ? lue.grille[i] - '0' : 0;
        grilles.push_back(p);
    }
    return grilles;
}
