// Le générateur de grilles : 18 indices semés au hasard, complétés par le pilote, puis des
// indices ajoutés ou retirés selon la profondeur d'hypothèses dont le pilote a eu besoin.
// Il ne connaît que la grille et la source de hasard qu'on lui confie : il ne montre ni ne
// demande rien, si bien que la partie, la ligne de commande et les mesures s'en servent de
// la même façon. Chaque tirage suit un ordre fixe : une graine donne toujours les mêmes grilles.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/grille.h"
#include "engine/hasard.h"

enum NiveauGrille : int32_t { Facile = 0, Moyen = 1, Difficile = 2, Diabolique = 3 };

// "facile", "moyen", "difficile", "diabolique" ; vide hors des quatre niveaux.
std::string_view MotNiveau(NiveauGrille niveau);

class CGenerateur {
public:
    CGenerateur(CGrille& grille, CHasard& hasard) : grille(grille), hasard(hasard) {}
    CGenerateur(const CGenerateur&) = delete;
    CGenerateur& operator=(const CGenerateur&) = delete;

    // Nombre d'indices visé par niveau (le diabolique n'en vise pas : sa quatrième entrée ne
    // sert pas).
    std::array<int32_t, 4> nbInitNiveau{31, 28, 26, 25};

    // Toute la génération d'un niveau avant la solution gardée : laisse dans la grille les
    // indices (origine Init) et, pour les trois premiers niveaux, la solution autour d'eux.
    // Un essai qui échoue en route repart d'un nouveau semis : la grille a une solution.
    // Chaque pas du pilote est annoncé à `suivi` (la trace), s'il y en a un.
    void ConstruireGrille(NiveauGrille niveau, CSuiviSolveur* suivi = nullptr);

    void SemerGrille();
    int32_t FixerHypothese();  // -1 (et rien ne change) s'il n'y a aucune case HypoOrdi
    void EpurerGrille(CSuiviSolveur* suivi = nullptr);
    void CompleterGrille(NiveauGrille niveau, CSuiviSolveur* suivi = nullptr);

private:
    // Le pilote borné des essais ; vrai s'il résout.
    bool Resout(CSuiviSolveur* suivi) { return grille.Resoudre(LimiteGeneration, suivi) == FinResolution::Resolue; }

    CGrille& grille;
    CHasard& hasard;
};
