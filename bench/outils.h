// Outils communs de mesures : les grilles d'une liste publique (tests/grilles) en 81 chiffres
// (0 pour une case vide), et le temps processeur du fil, pour que la charge des autres
// programmes pèse peu.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
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

inline double MsProcesseur()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
