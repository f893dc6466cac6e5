#include "partiegardee.h"

#include "game/ihmmuette.h"
#include "game/partie.h"

bool GarderPartieDeMesure(const std::string& chemin)
{
    CIhmMuette ihm;
    CPartie partie(ihm, 2024);
    partie.GenererGrille(Diabolique);
    partie.OnNoterCandidats();
    int derniereVide = -1;
    for (int i = 0, poses = 0; i < 81 && poses < 12; ++i) {
        if (partie.Grille().LireCase(i / 9, i % 9).chiffre != 0)
            continue;
        partie.CliquerPalette(partie.Grille().LireSolution(i / 9, i % 9).chiffre - 1);
        partie.CliquerCase(i / 9, i % 9);
        ++poses;
        derniereVide = i;
    }
    // Le dernier chiffre posé, encore une fois dans une case vide de sa ligne : un conflit.
    const int ligne = derniereVide / 9;
    for (int colonne = 0; colonne < 9; ++colonne)
        if (partie.Grille().LireCase(ligne, colonne).chiffre == 0) {
            partie.CliquerCase(ligne, colonne);
            break;
        }
    return partie.Garder(chemin) != Ecriture::Echouee;
}
