// Les coups du joueur : défaire, refaire, oublier ; et, pour « Pourquoi ? », le coup depuis
// lequel ses chiffres ne mènent plus à aucune solution.
#include <algorithm>
#include <array>

#include "game/partie.h"

void CPartie::Annuler()
{
    if ((!grilleEnCours && !modeCreation) || etatInterface.pause) return;
    if (const Coup* coup = historique.Annuler()) Rejouer(*coup, true);
}

void CPartie::Refaire()
{
    if ((!grilleEnCours && !modeCreation) || etatInterface.pause) return;
    if (const Coup* coup = historique.Refaire()) Rejouer(*coup, false);
}

void CPartie::Rejouer(const Coup& coup, bool enArriere)
{
    for (const NotesChangees& n : coup.notes) notes[n.caseNo] = enArriere ? n.avant : n.apres;
    if (CaseValide(coup.ligne, coup.colonne)) {
        grille.ChangerCase(coup.ligne, coup.colonne, enArriere ? coup.chiffreAvant : coup.chiffreApres,
                           enArriere ? coup.origineAvant : coup.origineApres);
        AfficherCase(coup.ligne, coup.colonne);
    } else {
        MontrerAspects();
    }
}

void CPartie::OublierCoups()
{
    historique.Oublier();
    notes.fill(0);
    MontrerAspects();
}

std::optional<Coup> PremierCoupSansSolution(const CGrille& grille, std::span<const Coup> joues)
{
    // Les chiffres que les coups ont laissés, chacun avec le dernier coup qui a touché sa case,
    // dans l'ordre de ces coups ; les autres cases n'ont pas bougé depuis le premier coup.
    std::array<int, 81> dernier;
    dernier.fill(-1);
    for (std::size_t k = 0; k < joues.size(); ++k) {
        if (CPartie::CaseValide(joues[k].ligne, joues[k].colonne)) dernier[joues[k].ligne * 9 + joues[k].colonne] = static_cast<int>(k);
    }
    CGrille base = grille;
    std::vector<int> laisses;  // les cases, par dernier coup croissant
    for (int i = 0; i < 81; ++i) {
        if (dernier[i] < 0) continue;
        if (grille.LireCase(i / 9, i % 9).chiffre != 0) laisses.push_back(i);
        base.ChangerCase(i / 9, i % 9, 0, Vide);
    }
    std::ranges::sort(laisses, {}, [&](int i) { return dernier[i]; });
    // Avec n chiffres laissés de plus, la grille a-t-elle une solution ? Plus il y en a, moins
    // elle en a : le premier n sans solution se trouve par dichotomie.
    const auto avecLesPremiers = [&](std::size_t n) {
        CGrille essai = base;
        for (std::size_t k = 0; k < n; ++k) {
            const Case& c = grille.LireCase(laisses[k] / 9, laisses[k] % 9);
            essai.ChangerCase(laisses[k] / 9, laisses[k] % 9, c.chiffre, c.origine);
        }
        return essai.MeneAUneSolution();
    };
    if (!avecLesPremiers(0)) return std::nullopt;
    std::size_t avec = 0, sans = laisses.size();  // avec : une solution ; sans : aucune
    while (sans - avec > 1) {
        const std::size_t milieu = avec + (sans - avec) / 2;
        (avecLesPremiers(milieu) ? avec : sans) = milieu;
    }
    if (sans == 0) return std::nullopt;
    return joues[static_cast<std::size_t>(dernier[laisses[sans - 1]])];
}
