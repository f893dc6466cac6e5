// Le coup de main : révèle au hasard un à trois chiffres de la solution gardée.
#include <algorithm>

#include "game/partie.h"

void CPartie::DonnerCoupDeMain(int n)
{
    if (!grille.GrilleValide()) {
        ihm.Message("La grille en l'état comporte des erreurs !");
        return;
    }
    // Une solution qui n'est pas celle de la grille en jeu donnerait de faux chiffres.
    if (!solutionConnue) return;

    auto peutRecevoir = [this](int ligne, int colonne) {
        return grille.LireCase(ligne, colonne).origine == Vide && grille.LireSolution(ligne, colonne).marque == 0;
    };

    int possibles = 0;
    for (int ligne = 0; ligne < 9; ++ligne) {
        for (int colonne = 0; colonne < 9; ++colonne) possibles += peutRecevoir(ligne, colonne);
    }
    n = std::min(n, possibles);

    for (int reveles = 0; reveles < n;) {
        const int ligne = hasard.Tirer() % 9;
        const int colonne = hasard.Tirer() % 9;
        if (!peutRecevoir(ligne, colonne)) continue;
        grille.MarquerSolution(ligne, colonne, CoupDeMain);
        grille.ChangerCase(ligne, colonne, grille.LireSolution(ligne, colonne).chiffre, CoupDeMain);
        AfficherCase(ligne, colonne);
        ++reveles;
    }
}
