// Charge : générations et résolutions répétées dans un même processus sans que la mémoire
// grandisse. Le chiffre des 10 000 répétitions est mesuré par `make bench`.
#include <gtest/gtest.h>

#include "tests/game/outils.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

// Lance `tours(n)` pour s'échauffer puis dix fois plus (deux fois sous AddressSanitizer, dont
// la quarantaine fausse la mesure et où LeakSanitizer vérifie les fuites) : la mémoire
// résidente ne doit pas grandir de plus de 2 Mio.
template <class Tours>
void SansCroissance(int echauffement, Tours tours)
{
    tours(echauffement);
    if (::testing::Test::HasFatalFailure()) return;
    const long avant = ResidentKio();
    tours(echauffement * (NOVEMIA_ASAN ? 2 : 10));
    if (!NOVEMIA_ASAN) {
        EXPECT_LT(ResidentKio() - avant, 2 * 1024) << "kio de plus après les répétitions";
    }
}

// Les quatre niveaux tour à tour, trace allumée (chaque ligne passe par le fichier) :
// toutes les grilles ont leur solution.
TEST(Charge, GenerationsRepetees)
{
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie(ihm, 2026);
    partie.OnTrace();
    ASSERT_TRUE(partie.Trace().EstOuvert());
    SansCroissance(40, [&](int n) {
        for (int i = 0; i < n; ++i) {
            partie.GenererGrille(static_cast<NiveauGrille>(i % 4));
            ASSERT_TRUE(ihm.messages.empty()) << ihm.messages.front();
            ASSERT_TRUE(partie.Grille().SolutionGardee());
            ihm.OublierHistorique();
        }
    });
    partie.OnTrace();
    EXPECT_FALSE(partie.Trace().EstOuvert());
}

TEST(Charge, ResolutionsRepetees)
{
    const auto grilles = ChargerListe("top95.txt");
    ASSERT_EQ(grilles.size(), 95u);
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie(ihm);
    SansCroissance(95, [&](int n) {
        for (int i = 0; i < n; ++i) {
            Importer(partie, ihm, grilles[i % grilles.size()]);
            ASSERT_TRUE(ihm.messages.empty()) << ihm.messages.front();
            ASSERT_TRUE(partie.Grille().SolutionGardee());
            ihm.OublierHistorique();
        }
    });
}

}  // namespace
