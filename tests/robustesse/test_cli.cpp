// « novemia-cli resoudre --lignes » face aux fichiers démesurés ou binaires : le lecteur ne
// garde jamais plus qu'une courte ligne, un commentaire est passé quelle que soit sa
// longueur, et chaque faute est dite en français avec son numéro de ligne.
#include <gtest/gtest.h>

#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

const std::string Grille = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

Execution Resoudre(const std::string& fichier) { return Lancer({NOVEMIA_CLI, "resoudre", "--lignes", fichier}); }

class CliHostile : public ::testing::Test {
protected:
    CDossierTemporaire dossier;
    long pointeOrdinaire = 0;  // mémoire de pointe d'une petite résolution, pour comparer

    void SetUp() override
    {
        EcrireFichier("petite.txt", Grille + "\n");
        const Execution petite = Resoudre("petite.txt");
        ASSERT_EQ(petite.statut, 0) << petite.erreurs;
        pointeOrdinaire = petite.pointeKio;
    }
    // Au-delà, le programme aurait gardé une bonne part des 100 Mo.
    void VerifierPointe(const Execution& r) { EXPECT_LT(r.pointeKio - pointeOrdinaire, 48 * 1024); }
};

TEST_F(CliHostile, LigneDeCentMegaOctets)
{
    EcrireGrosFichier("enorme.txt", "", '1', 100ull << 20, "\n" + Grille + "\n");
    const Execution r = Resoudre("enorme.txt");
    EXPECT_EQ(r.statut, 2);
    EXPECT_EQ(r.erreurs, "novemia-cli resoudre : ligne 1 : une grille s'écrit en 81 caractères (ligne trop longue)\n");
    EXPECT_EQ(r.sortie.size(), 82u) << "la ligne suivante est quand même résolue : " << r.sortie;
    VerifierPointe(r);
}

// Un commentaire plus long qu'une grille, et un de 100 Mo : ignorés comme les autres.
TEST_F(CliHostile, CommentairesLongs)
{
    EcrireGrosFichier("commentaires.txt", "# " + std::string(150, '-') + "\n" + Grille + "\n#", '=', 100ull << 20,
                      "\n" + Grille + "\n");
    const Execution r = Resoudre("commentaires.txt");
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_TRUE(r.erreurs.empty()) << r.erreurs;
    ASSERT_EQ(r.sortie.size(), 2 * 82u) << r.sortie;
    EXPECT_EQ(r.sortie.substr(0, 82), r.sortie.substr(82));
    VerifierPointe(r);
}

// Ce programme de test lui-même, donné comme liste : des fautes numérotées, pas de plantage.
TEST_F(CliHostile, FichierBinaire)
{
    const Execution r = Resoudre("/proc/self/exe");
    EXPECT_EQ(r.statut, 2);
    EXPECT_TRUE(r.sortie.empty()) << r.sortie.substr(0, 200);
    EXPECT_EQ(r.erreurs.rfind("novemia-cli resoudre : ligne 1 : ", 0), 0u) << r.erreurs.substr(0, 200);
}

}  // namespace
