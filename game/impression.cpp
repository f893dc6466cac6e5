// La mise en page des grilles imprimées.
#include "game/impression.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "game/partie.h"

namespace {

constexpr double Marge = 36;      // un demi-pouce autour de la page
constexpr double Pied = 18;       // la ligne du numéro de page, au-dessus de la marge du bas
constexpr double Gouttiere = 24;  // entre deux grilles
constexpr double TraitFin = 0.5;
constexpr double GrisPoses = 0.45;  // les chiffres qui ne sont pas des indices

}  // namespace

GrilleImprimee GrilleAImprimer(const CGrille& grille, bool avecPoses, std::string legende)
{
    GrilleImprimee imprimee;
    for (int i = 0; i < 81; ++i) {
        const Case& c = grille.LireCase(i / 9, i % 9);
        imprimee.indices[i] = c.origine == Init && c.chiffre > 0;
        imprimee.chiffres[i] = imprimee.indices[i] || avecPoses ? c.chiffre : 0;
    }
    imprimee.legende = std::move(legende);
    return imprimee;
}

std::string LegendeGeneree(NiveauGrille niveau, uint32_t graine)
{
    return "Niveau " + std::string(MotNiveau(niveau)) + ", graine " + std::to_string(graine);
}

DocumentPages MettreEnPages(std::span<const GrilleImprimee> grilles, int parPage, double largeur, double hauteur)
{
    DocumentPages document{largeur, hauteur, {}};
    parPage = std::clamp(parPage, 1, 6);
    int colonnes = parPage >= 4 ? 2 : 1;
    int rangees = (parPage + colonnes - 1) / colonnes;
    if (largeur > hauteur) std::swap(colonnes, rangees);
    const double largeurPlace = (largeur - 2 * Marge - (colonnes - 1) * Gouttiere) / colonnes;
    const double hauteurPlace = (hauteur - 2 * Marge - Pied - (rangees - 1) * Gouttiere) / rangees;
    const double tailleLegende = parPage == 1 ? 12 : 10;
    const double hauteurLegende = 2 * tailleLegende;
    const double cote = std::max(0.0, std::min(largeurPlace, hauteurPlace - hauteurLegende));
    const double pas = cote / 9;
    const double traitEpais = parPage == 1 ? 2 : 1.5;
    const double tailleChiffre = 0.62 * pas;

    const std::size_t nombrePages = (grilles.size() + parPage - 1) / parPage;
    for (std::size_t p = 0; p < nombrePages; ++p) {
        Page& page = document.pages.emplace_back();
        for (int k = 0; k < parPage && p * parPage + k < grilles.size(); ++k) {
            const GrilleImprimee& grille = grilles[p * parPage + k];
            // La légende et la grille, ensemble au milieu de leur place.
            const double x0 = Marge + (k % colonnes) * (largeurPlace + Gouttiere) + (largeurPlace - cote) / 2;
            const double y0 = Marge + (k / colonnes) * (hauteurPlace + Gouttiere) +
                              (hauteurPlace - hauteurLegende - cote) / 2 + hauteurLegende;
            page.textes.push_back({x0, y0 - 0.6 * tailleLegende, tailleLegende, PolicePage::Normale, 0, grille.legende});
            for (int j = 0; j <= 9; ++j) {
                const double epaisseur = j % 3 == 0 ? traitEpais : TraitFin;
                page.traits.push_back({x0, y0 + j * pas, x0 + cote, y0 + j * pas, epaisseur});
                page.traits.push_back({x0 + j * pas, y0, x0 + j * pas, y0 + cote, epaisseur});
            }
            for (int i = 0; i < 81; ++i) {
                if (grille.chiffres[i] <= 0) continue;
                const bool indice = grille.indices[i];
                page.textes.push_back({x0 + (i % 9 + 0.5) * pas - ChasseChiffre * tailleChiffre / 2,
                                       y0 + (i / 9 + 0.5) * pas + HauteurChiffre * tailleChiffre / 2, tailleChiffre,
                                       indice ? PolicePage::Grasse : PolicePage::Normale, indice ? 0 : GrisPoses,
                                       std::to_string(grille.chiffres[i])});
            }
        }
        page.textes.push_back({Marge, hauteur - Marge, 8, PolicePage::Normale, GrisPoses,
                               "Novemia \xE2\x80\x94 page " + std::to_string(p + 1) + " sur " +
                                   std::to_string(nombrePages)});
    }
    return document;
}

void CPartie::OnImprimer()
{
    if (modeCreation) return;
    if (!grilleEnCours) {
        ihm.Message(std::string(MessageRienAImprimer));
        return;
    }
    bool avecPoses = false;
    for (int i = 0; i < 81 && !avecPoses; ++i) {
        const Case& c = grille.LireCase(i / 9, i % 9);
        avecPoses = c.chiffre > 0 && c.origine != Init;
    }
    // La question n'a de sens que si des chiffres ont été posés.
    if (avecPoses) {
        const auto choix = ihm.ChoisirChiffresImprimes();
        if (!choix) return;
        avecPoses = *choix;
    }
    const GrilleImprimee imprimee = GrilleAImprimer(grille, avecPoses, legendeGrille);
    if (ihm.Imprimer({&imprimee, 1}, 1) == Impression::Echouee) ihm.Message(std::string(MessageImpressionEchouee));
}

void CPartie::OnImprimerGrilles()
{
    const auto demande = ihm.ChoisirGrillesAImprimer();
    if (!demande || demande->nombre < 1 ||
        std::find(ParPagePossibles.begin(), ParPagePossibles.end(), demande->parPage) == ParPagePossibles.end() ||
        MotNiveau(demande->niveau).empty()) {
        return;
    }
    // Tirées du hasard de la partie, à côté de la grille en jeu, qui ne change pas.
    std::vector<GrilleImprimee> grilles;
    {
        CAttente attente(ihm);
        CGrille tiree;
        CGenerateur tireur(tiree, hasard);
        tireur.nbInitNiveau = generateur.nbInitNiveau;
        for (int k = 0; k < demande->nombre; ++k) {
            const uint32_t graine = hasard.Etat();
            tireur.ConstruireGrille(demande->niveau, Suivi());
            grilles.push_back(GrilleAImprimer(tiree, false, LegendeGeneree(demande->niveau, graine)));
        }
    }
    VerifierTrace();
    if (ihm.Imprimer(grilles, demande->parPage) == Impression::Echouee) {
        ihm.Message(std::string(MessageImpressionEchouee));
    }
}
