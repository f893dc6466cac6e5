// L'historique des coups du joueur : chaque changement d'une case par un clic ou une touche,
// avec ce que la case tenait avant et après, pour revenir en arrière puis en avant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/grille.h"

// Un coup : la case, son chiffre et son origine avant et après.
struct Coup {
    int ligne = 0;
    int colonne = 0;
    int32_t chiffreAvant = 0;
    OrigineCase origineAvant = Vide;
    int32_t chiffreApres = 0;
    OrigineCase origineApres = Vide;
};

class CHistorique {
public:
    // Un nouveau coup ; les coups défaits qu'on aurait pu refaire sont oubliés.
    void Noter(const Coup& coup)
    {
        coups.resize(joues);
        coups.push_back(coup);
        ++joues;
    }
    // Le dernier coup joué, à défaire ; nul s'il n'y en a pas.
    const Coup* Annuler() { return joues > 0 ? &coups[--joues] : nullptr; }
    // Le dernier coup défait, à rejouer ; nul s'il n'y en a pas.
    const Coup* Refaire() { return joues < coups.size() ? &coups[joues++] : nullptr; }
    void Oublier()
    {
        coups.clear();
        joues = 0;
    }
    // Les coups joués (défaits exclus), du plus ancien au plus récent.
    std::span<const Coup> Joues() const { return {coups.data(), joues}; }

private:
    std::vector<Coup> coups;
    std::size_t joues = 0;
};
