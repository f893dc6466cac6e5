// L'historique des coups du joueur : chaque changement d'une case ou de notes par un clic ou
// une touche, avec ce qui était là avant et après, pour revenir en arrière puis en avant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "engine/grille.h"

// Les notes d'une case (bit d-1 pour le chiffre d) avant et après un coup.
struct NotesChangees {
    int32_t caseNo = 0;  // ligne * 9 + colonne
    uint16_t avant = 0;
    uint16_t apres = 0;
    bool operator==(const NotesChangees&) const = default;
};

// Un coup : la case, son chiffre et son origine avant et après, et les notes qu'il change
// (celles de la case, ou le chiffre posé ôté des notes de ses voisines). Un coup qui ne change
// que des notes n'a pas de case : ligne et colonne valent -1.
struct Coup {
    int ligne = 0;
    int colonne = 0;
    int32_t chiffreAvant = 0;
    OrigineCase origineAvant = Vide;
    int32_t chiffreApres = 0;
    OrigineCase origineApres = Vide;
    std::vector<NotesChangees> notes = {};
    bool operator==(const Coup&) const = default;
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
    // Tous les coups, les joués puis les défaits qu'on peut refaire (pour une partie gardée).
    std::span<const Coup> Tous() const { return coups; }
    // Une partie reprise : ses coups, dont les `nombreJoues` premiers sont joués.
    void Reprendre(std::vector<Coup> tous, std::size_t nombreJoues)
    {
        coups = std::move(tous);
        joues = nombreJoues <= coups.size() ? nombreJoues : coups.size();
    }

private:
    std::vector<Coup> coups;
    std::size_t joues = 0;
};

// Le coup depuis lequel les chiffres du joueur ne mènent plus à aucune solution : celui qui a
// posé le dernier des chiffres encore en place sans lesquels la grille en aurait une (un coup
// de notes seules ne compte pas). Rien si la grille n'en a pas même sans les chiffres que les
// coups ont laissés. `grille`, l'état après les coups `joues`, ne mène à aucune solution.
std::optional<Coup> PremierCoupSansSolution(const CGrille& grille, std::span<const Coup> joues);
