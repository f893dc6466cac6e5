// « novemia-cli generer » lancé comme depuis un terminal.
#include <gtest/gtest.h>

#include "tests/support/commande.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/game/outils.h"

namespace {

class Generer : public testing::Test {
protected:
    CDossierTemporaire dossier;
};

TEST_F(Generer, MemeGraineMemeSortieQueLaPartie)
{
    const auto a = LancerCli({"generer", "moyen", "--graine", "1", "--nombre", "3"});
    ASSERT_EQ(a.code, 0) << a.erreurs;
    EXPECT_TRUE(a.erreurs.empty()) << a.erreurs;
    EXPECT_EQ(LancerCli({"generer", "--nombre", "3", "moyen", "--graine", "1"}).sortie, a.sortie);
    EXPECT_NE(LancerCli({"generer", "moyen", "--graine", "2", "--nombre", "3"}).sortie, a.sortie);

    // Les mêmes grilles que trois générations successives dans une partie.
    CIhmFactice ihm;
    CPartie partie{ihm, 1};
    std::string attendu;
    for (int k = 1; k <= 3; ++k) {
        partie.OnMoyen();
        attendu += "# moyen " + std::to_string(k) + "/3\n";
        const std::string indices = TexteIndices(partie.Grille());
        for (int l = 0; l < 9; ++l) attendu += indices.substr(l * 9, 9) + "\n";
    }
    EXPECT_EQ(a.sortie, attendu);
    EXPECT_EQ(ihm.questions.size(), 2u) << "une question par grille remplacée";

    // Sans graine ni nombre : une grille.
    const auto r = LancerCli({"generer", "diabolique"});
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie.size(), std::string("# diabolique 1/1\n").size() + 90);
    EXPECT_EQ(r.sortie.rfind("# diabolique 1/1\n", 0), 0u);
}

TEST_F(Generer, LaTraceRecoitChaqueResolution)
{
    const auto sans = LancerCli({"generer", "facile", "--graine", "8"});
    const auto avec = LancerCli({"generer", "facile", "--graine", "8", "--trace", "journal.txt"});
    ASSERT_EQ(avec.code, 0) << avec.erreurs;
    EXPECT_EQ(avec.sortie, sans.sortie) << "la trace ne change pas la grille";
    const std::string journal = Contenu("journal.txt");
    EXPECT_EQ(journal.rfind("-------- Trace du ", 0), 0u);
    EXPECT_NE(journal.find("Hypothese -> Case("), std::string::npos);
    EXPECT_NE(journal.find("\r\n"), std::string::npos);

    const auto impossible = LancerCli({"generer", "facile", "--trace", "absent/journal.txt"});
    EXPECT_EQ(impossible.code, 73);
    EXPECT_NE(impossible.erreurs.find("absent/journal.txt"), std::string::npos);
    EXPECT_TRUE(impossible.sortie.empty());
}

}  // namespace
