// Règles des clics sur le plateau et la palette, et ce que la palette montre.
#include <gtest/gtest.h>

#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

class Clics : public testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie{ihm};

    void EnJeu()
    {
        Importer(partie, ihm, GrillesReference("qqwing-simple-200.txt", 1).at(0));
        ASSERT_TRUE(partie.grilleEnCours);
    }
    // Met une case dans un état donné sans passer par les règles.
    void Forcer(int l, int c, int chiffre, OrigineCase origine)
    {
        partie.grille.cases[l][c].chiffre = chiffre;
        partie.grille.cases[l][c].origine = origine;
    }
};

TEST_F(Clics, SansGrilleNiPlateauNiPaletteNeReagissent)
{
    partie.CliquerPalette(4);
    partie.CliquerPalette(10);
    partie.chiffreSelectionne = 5;  // même avec une sélection
    partie.CliquerCase(0, 0);
    EXPECT_EQ(partie.grille.cases[0][0].chiffre, 0);
    EXPECT_EQ(partie.modeHypothese, 0);
    EXPECT_TRUE(ihm.appelsPalette.empty());
    EXPECT_EQ(ihm.casesMontrees, 0);
}

TEST_F(Clics, SansSelectionUnClicSurLePlateauNeFaitRien)
{
    EnJeu();
    ihm.OublierHistorique();
    partie.CliquerCase(0, 0);
    EXPECT_EQ(ihm.casesMontrees, 0);
}

// Chaque origine : le joueur peut-il y poser un chiffre, l'effacer ? (en jeu, puis en création)
struct CasOrigine {
    OrigineCase origine;
    bool poseEnJeu;
    bool effaceEnJeu;
};

class ClicsParOrigine : public Clics, public testing::WithParamInterface<CasOrigine> {};

TEST_P(ClicsParOrigine, EnJeu)
{
    EnJeu();
    const auto cas = GetParam();
    const int chiffreAvant = cas.origine == Vide ? 0 : 3;

    Forcer(4, 4, chiffreAvant, cas.origine);
    partie.CliquerPalette(6);  // le chiffre 7
    partie.CliquerCase(4, 4);
    const Case& apres = partie.grille.cases[4][4];
    if (cas.poseEnJeu) {
        EXPECT_EQ(apres.chiffre, 7);
        EXPECT_EQ(apres.origine, CoupJoueur);
        EXPECT_EQ(ihm.plateau[4][4].texte, "7");
        EXPECT_EQ(ihm.plateau[4][4].origine, CoupJoueur);
    } else {
        EXPECT_EQ(apres.chiffre, chiffreAvant);
        EXPECT_EQ(apres.origine, cas.origine);
    }

    Forcer(4, 4, chiffreAvant, cas.origine);
    ihm.OublierHistorique();
    partie.CliquerPalette(9);  // la gomme
    partie.CliquerCase(4, 4);
    if (cas.effaceEnJeu) {
        EXPECT_EQ(apres.chiffre, 0);
        EXPECT_EQ(apres.origine, Vide);
        EXPECT_EQ(ihm.plateau[4][4].texte, " ");
    } else {
        EXPECT_EQ(apres.chiffre, chiffreAvant);
        EXPECT_EQ(apres.origine, cas.origine);
        EXPECT_EQ(ihm.casesMontrees, 0);
    }
}

TEST_P(ClicsParOrigine, EnCreationToutSeChange)
{
    partie.OnCreer();
    ASSERT_TRUE(partie.modeCreation);
    const auto cas = GetParam();
    const int chiffreAvant = cas.origine == Vide ? 0 : 3;

    Forcer(2, 7, chiffreAvant, cas.origine);
    partie.CliquerPalette(0);
    partie.CliquerCase(2, 7);
    EXPECT_EQ(partie.grille.cases[2][7].chiffre, 1);
    EXPECT_EQ(partie.grille.cases[2][7].origine, Init);

    Forcer(2, 7, chiffreAvant, cas.origine);
    partie.CliquerPalette(9);
    partie.CliquerCase(2, 7);
    // Une case vide n'a rien à effacer ; toute autre l'est.
    EXPECT_EQ(partie.grille.cases[2][7].chiffre, 0);
    EXPECT_EQ(partie.grille.cases[2][7].origine, Vide);
}

INSTANTIATE_TEST_SUITE_P(Origines, ClicsParOrigine,
                         testing::Values(CasOrigine{Vide, true, false}, CasOrigine{Init, false, false},
                                         CasOrigine{DeduitOrdi, false, false},
                                         CasOrigine{DeduitOrdiUnicite, false, false},
                                         CasOrigine{HypoOrdi, false, false},
                                         CasOrigine{CoupDeMain, false, false},
                                         CasOrigine{CoupJoueur, true, true},
                                         CasOrigine{HypoJoueur, true, true}),
                         [](const testing::TestParamInfo<CasOrigine>& info) {
                             return "Origine" + std::to_string(info.param.origine);
                         });

TEST_F(Clics, LeBoutonPointDInterrogationBasculeLesChiffresDuJoueurEnHypotheses)
{
    EnJeu();
    Forcer(1, 1, 0, Vide);
    partie.CliquerPalette(1);
    partie.CliquerCase(1, 1);
    EXPECT_EQ(partie.grille.cases[1][1].origine, CoupJoueur);

    partie.CliquerPalette(10);
    EXPECT_EQ(partie.modeHypothese, 1);
    EXPECT_TRUE(ihm.paletteEnEvidence[10]);
    EXPECT_TRUE(ihm.paletteEnEvidence[1]) << "la sélection du chiffre reste";
    partie.CliquerPalette(2);
    partie.CliquerCase(1, 1);  // un CoupJoueur repris en hypothèse
    EXPECT_EQ(partie.grille.cases[1][1].chiffre, 3);
    EXPECT_EQ(partie.grille.cases[1][1].origine, HypoJoueur);
    EXPECT_EQ(ihm.plateau[1][1].origine, HypoJoueur);

    partie.CliquerPalette(10);
    EXPECT_EQ(partie.modeHypothese, 0);
    EXPECT_FALSE(ihm.paletteEnEvidence[10]);
    partie.CliquerCase(1, 1);  // et l'inverse
    EXPECT_EQ(partie.grille.cases[1][1].origine, CoupJoueur);
}

TEST_F(Clics, LePointDInterrogationNeFaitRienEnCreation)
{
    partie.OnCreer();
    ihm.OublierHistorique();
    partie.CliquerPalette(10);
    EXPECT_EQ(partie.modeHypothese, 0);
    EXPECT_TRUE(ihm.appelsPalette.empty());
}

TEST_F(Clics, LaMiseEnEvidenceSuitLaSelection)
{
    EnJeu();
    ihm.OublierHistorique();
    partie.CliquerPalette(9);
    EXPECT_EQ(partie.chiffreSelectionne, 0);
    partie.CliquerPalette(4);
    EXPECT_EQ(partie.chiffreSelectionne, 5);
    // « Eff » revient à l'aspect normal avant que « 5 » ne passe en évidence.
    const std::vector<std::pair<int, bool>> attendus{{9, true}, {9, false}, {4, true}};
    EXPECT_EQ(ihm.appelsPalette, attendus);

    partie.CliquerPalette(4);  // recliquer garde la sélection
    EXPECT_EQ(partie.chiffreSelectionne, 5);
    EXPECT_TRUE(ihm.paletteEnEvidence[4]);
    for (int e = 0; e < 11; ++e) {
        if (e != 4) {
            EXPECT_FALSE(ihm.paletteEnEvidence[e]) << e;
        }
    }
}

TEST_F(Clics, DeselectionnerRemetLesDixEntreesSansToucherAuPointDInterrogation)
{
    EnJeu();
    partie.CliquerPalette(10);
    partie.CliquerPalette(3);
    ihm.OublierHistorique();
    partie.DeselectionnerPalette();
    EXPECT_EQ(partie.chiffreSelectionne, -1);
    EXPECT_EQ(partie.modeHypothese, 1);
    EXPECT_TRUE(ihm.paletteEnEvidence[10]);
    ASSERT_EQ(ihm.appelsPalette.size(), 10u);
    for (int e = 0; e < 10; ++e) EXPECT_EQ(ihm.appelsPalette[e], std::make_pair(e, false));
}

TEST_F(Clics, LesEntreesHorsLimitesSontIgnorees)
{
    EnJeu();
    const std::string avant = Indices(partie.grille);
    partie.CliquerPalette(11);
    partie.CliquerPalette(-1);
    EXPECT_EQ(partie.chiffreSelectionne, -1);
    partie.CliquerPalette(0);
    partie.CliquerCase(9, 0);
    partie.CliquerCase(0, -1);
    EXPECT_EQ(Indices(partie.grille), avant);
}

}  // namespace
