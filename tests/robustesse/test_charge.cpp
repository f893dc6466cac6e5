// Charge : générations et résolutions répétées dans un même processus sans que la mémoire
// grandisse. Le chiffre des 10 000 répétitions est mesuré par `make bench`.
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/partie.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/ihmfactice.h"

namespace {

std::vector<std::string> Grilles(const std::string& fichier)
{
    std::ifstream entree(std::string(NOVEMIA_GRILLES) + "/" + fichier);
    std::vector<std::string> grilles;
    std::string ligne;
    while (std::getline(entree, ligne)) {
        if (ligne.size() >= 81) grilles.push_back(ligne.substr(0, 81));
    }
    return grilles;
}

void Poser(CGrille& grille, const std::string& g81)
{
    grille.ViderGrille();
    for (int i = 0; i < 81; ++i) {
        if (g81[i] >= '1' && g81[i] <= '9') {
            grille.cases[i / 9][i % 9].chiffre = g81[i] - '0';
            grille.cases[i / 9][i % 9].origine = Init;
        }
    }
}

// Tolérance de croissance de la mémoire résidente entre la fin de l'échauffement et la fin.
constexpr long CroissanceToleree = 2 * 1024;  // kio

// Les quatre niveaux tour à tour, trace allumée (chaque ligne passe par le fichier) :
// toutes les grilles ont leur solution, et la mémoire ne bouge pas.
TEST(Charge, GenerationsRepetees)
{
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie(ihm);
    partie.hasard.Semer(2026);
    partie.OnTrace();
    ASSERT_TRUE(partie.grille.traceActive);

    auto generer = [&](int n) {
        for (int i = 0; i < n; ++i) {
            partie.GenererGrille(static_cast<NiveauGrille>(i % 4));
            ASSERT_TRUE(ihm.messages.empty()) << ihm.messages.front();
            ASSERT_TRUE(partie.solutionConnue);
            ihm.OublierHistorique();
        }
    };
    generer(40);
    const long apresEchauffement = ResidentKio();
    generer(NOVEMIA_ASAN ? 80 : 400);
    const long fin = ResidentKio();
    partie.OnTrace();
    EXPECT_FALSE(partie.fichierTrace.EstOuvert());
#if !NOVEMIA_ASAN
    EXPECT_LT(fin - apresEchauffement, CroissanceToleree) << "kio de plus après les générations";
#else
    (void)apresEchauffement, (void)fin;
#endif
}

TEST(Charge, ResolutionsRepetees)
{
    const auto grilles = Grilles("top95.txt");
    ASSERT_EQ(grilles.size(), 95u);
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie(ihm);
    auto resoudre = [&](int n) {
        for (int i = 0; i < n; ++i) {
            Poser(partie.grille, grilles[i % grilles.size()]);
            ASSERT_TRUE(partie.ResoudreEtMemoriser());
            ihm.OublierHistorique();
        }
    };
    resoudre(95);
    const long apresEchauffement = ResidentKio();
    resoudre(NOVEMIA_ASAN ? 190 : 950);
    const long fin = ResidentKio();
#if !NOVEMIA_ASAN
    EXPECT_LT(fin - apresEchauffement, CroissanceToleree) << "kio de plus après les résolutions";
#else
    (void)apresEchauffement, (void)fin;
#endif
}

}  // namespace
