// Les 27 unités de la grille en tables construites à la compilation, communes au raisonnement
// et à la preuve par l'absurde. Unités 0 à 8 : les lignes ; 9 à 17 : les colonnes ; 18 à 26 :
// les régions, en lecture.
#pragma once

#include <array>
#include <cstdint>

struct TablesUnites {
    std::array<std::array<int8_t, 9>, 27> cellules{};
    std::array<std::array<int8_t, 3>, 81> unitesDe{};
    std::array<std::array<int8_t, 20>, 81> voisins{};
    std::array<std::array<int8_t, 3>, 81> rangs{};  // rang de la case dans chacune de ses unités
};

constexpr TablesUnites ConstruireTablesUnites()
{
    TablesUnites t{};
    for (int u = 0; u < 9; ++u) {
        for (int k = 0; k < 9; ++k) {
            t.cellules[u][k] = static_cast<int8_t>(u * 9 + k);
            t.cellules[9 + u][k] = static_cast<int8_t>(k * 9 + u);
            t.cellules[18 + u][k] = static_cast<int8_t>(((u / 3) * 3 + k / 3) * 9 + (u % 3) * 3 + k % 3);
        }
    }
    for (int i = 0; i < 81; ++i) {
        const int l = i / 9, c = i % 9;
        t.unitesDe[i] = {static_cast<int8_t>(l), static_cast<int8_t>(9 + c),
                         static_cast<int8_t>(18 + (l / 3) * 3 + c / 3)};
        t.rangs[i] = {static_cast<int8_t>(c), static_cast<int8_t>(l), static_cast<int8_t>((l % 3) * 3 + c % 3)};
        int n = 0;
        for (int j = 0; j < 81; ++j) {
            const int lj = j / 9, cj = j % 9;
            if (j != i && (lj == l || cj == c || (lj / 3 == l / 3 && cj / 3 == c / 3))) {
                t.voisins[i][n++] = static_cast<int8_t>(j);
            }
        }
    }
    return t;
}

inline constexpr TablesUnites Unites = ConstruireTablesUnites();
