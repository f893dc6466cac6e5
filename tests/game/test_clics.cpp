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
        Importer(partie, ihm, ChargerListe("qqwing-simple-200.txt", 1).at(0));
        ASSERT_TRUE(partie.grilleEnCours);
        ihm.OublierHistorique();
    }
    // Met une case dans un état donné sans passer par les règles.
    void Forcer(int l, int c, int chiffre, OrigineCase origine) { partie.grille.ChangerCase(l, c, chiffre, origine); }
};

TEST_F(Clics, ClicsSansEffet)
{
    // Sans grille, ni la palette ni le plateau ne réagissent, même avec une sélection.
    partie.CliquerPalette(4);
    partie.CliquerPalette(10);
    partie.chiffreSelectionne = 5;
    partie.CliquerCase(0, 0);
    EXPECT_EQ(partie.grille.LireCase(0, 0).chiffre, 0);
    EXPECT_EQ(partie.modeHypothese, 0);
    EXPECT_TRUE(ihm.appelsPalette.empty());
    EXPECT_EQ(ihm.casesMontrees, 0);

    // En jeu : clic sans sélection, entrées hors limites.
    partie.chiffreSelectionne = -1;
    EnJeu();
    const std::string avant = TexteIndices(partie.grille);
    partie.CliquerCase(0, 0);
    partie.CliquerPalette(11);
    partie.CliquerPalette(-1);
    EXPECT_EQ(partie.chiffreSelectionne, -1);
    partie.CliquerPalette(0);
    partie.CliquerCase(9, 0);
    partie.CliquerCase(0, -1);
    EXPECT_EQ(TexteIndices(partie.grille), avant);
    EXPECT_EQ(ihm.casesMontrees, 0);
}

// Pour chaque origine : le joueur peut-il y poser un chiffre, l'effacer ? En création, tout
// se change.
TEST_F(Clics, SelonLOrigineDeLaCase)
{
    const std::vector<std::tuple<OrigineCase, bool, bool>> cas{
        {Vide, true, false},        {Init, false, false},     {DeduitOrdi, false, false},
        {DeduitOrdiUnicite, false, false}, {HypoOrdi, false, false}, {CoupDeMain, false, false},
        {CoupJoueur, true, true},   {HypoJoueur, true, true},
    };
    EnJeu();
    const Case& k = partie.grille.LireCase(4, 4);
    for (const auto& [origine, pose, efface] : cas) {
        SCOPED_TRACE(testing::Message() << "origine " << origine);
        const int avant = origine == Vide ? 0 : 3;
        Forcer(4, 4, avant, origine);
        partie.CliquerPalette(6);  // le chiffre 7
        partie.CliquerCase(4, 4);
        EXPECT_EQ(k.chiffre, pose ? 7 : avant);
        EXPECT_EQ(k.origine, pose ? CoupJoueur : origine);
        if (pose) EXPECT_EQ(ihm.plateau[4][4].texte, "7");
        if (pose) EXPECT_EQ(ihm.plateau[4][4].origine, CoupJoueur);

        Forcer(4, 4, avant, origine);
        ihm.OublierHistorique();
        partie.CliquerPalette(9);  // la gomme
        partie.CliquerCase(4, 4);
        EXPECT_EQ(k.chiffre, efface ? 0 : avant);
        EXPECT_EQ(k.origine, efface ? Vide : origine);
        EXPECT_EQ(ihm.casesMontrees, efface ? 1 : 0);
        if (efface) EXPECT_EQ(ihm.plateau[4][4].texte, " ");
    }
    partie.OnCreer();
    ASSERT_TRUE(partie.modeCreation);
    for (const auto& [origine, pose, efface] : cas) {
        SCOPED_TRACE(testing::Message() << "création, origine " << origine);
        Forcer(2, 7, origine == Vide ? 0 : 3, origine);
        partie.CliquerPalette(0);
        partie.CliquerCase(2, 7);
        EXPECT_EQ(partie.grille.LireCase(2, 7).chiffre, 1);
        EXPECT_EQ(partie.grille.LireCase(2, 7).origine, Init);
        Forcer(2, 7, origine == Vide ? 0 : 3, origine);
        partie.CliquerPalette(9);
        partie.CliquerCase(2, 7);
        EXPECT_EQ(partie.grille.LireCase(2, 7).chiffre, 0);
        EXPECT_EQ(partie.grille.LireCase(2, 7).origine, Vide);
    }
}

TEST_F(Clics, LePointDInterrogationBasculeLesChiffresDuJoueurEnHypotheses)
{
    EnJeu();
    Forcer(1, 1, 0, Vide);
    partie.CliquerPalette(1);
    partie.CliquerCase(1, 1);
    EXPECT_EQ(partie.grille.LireCase(1, 1).origine, CoupJoueur);

    partie.CliquerPalette(10);
    EXPECT_EQ(partie.modeHypothese, 1);
    EXPECT_TRUE(ihm.paletteEnEvidence[10]);
    EXPECT_TRUE(ihm.paletteEnEvidence[1]) << "la sélection du chiffre reste";
    partie.CliquerPalette(2);
    partie.CliquerCase(1, 1);  // un CoupJoueur repris en hypothèse
    EXPECT_EQ(partie.grille.LireCase(1, 1).chiffre, 3);
    EXPECT_EQ(partie.grille.LireCase(1, 1).origine, HypoJoueur);
    EXPECT_EQ(ihm.plateau[1][1].origine, HypoJoueur);

    partie.CliquerPalette(10);
    EXPECT_EQ(partie.modeHypothese, 0);
    EXPECT_FALSE(ihm.paletteEnEvidence[10]);
    partie.CliquerCase(1, 1);  // et l'inverse
    EXPECT_EQ(partie.grille.LireCase(1, 1).origine, CoupJoueur);

    // En création, « ? » ne fait rien.
    partie.OnCreer();
    ihm.OublierHistorique();
    partie.CliquerPalette(10);
    EXPECT_EQ(partie.modeHypothese, 0);
    EXPECT_TRUE(ihm.appelsPalette.empty());
}

TEST_F(Clics, LaMiseEnEvidenceSuitLaSelection)
{
    EnJeu();
    partie.CliquerPalette(9);
    EXPECT_EQ(partie.chiffreSelectionne, 0);
    partie.CliquerPalette(4);
    partie.CliquerPalette(4);  // recliquer garde la sélection
    EXPECT_EQ(partie.chiffreSelectionne, 5);
    // « Eff » revient à l'aspect normal avant que « 5 » ne passe en évidence.
    const std::vector<std::pair<int, bool>> attendus{{9, true}, {9, false}, {4, true}};
    EXPECT_EQ(std::vector(ihm.appelsPalette.begin(), ihm.appelsPalette.begin() + 3), attendus);
    for (int e = 0; e < 11; ++e) EXPECT_EQ(ihm.paletteEnEvidence[e], e == 4) << e;

    // Désélectionner remet les dix entrées sans toucher au « ? ».
    partie.CliquerPalette(10);
    ihm.OublierHistorique();
    partie.DeselectionnerPalette();
    EXPECT_EQ(partie.chiffreSelectionne, -1);
    EXPECT_EQ(partie.modeHypothese, 1);
    EXPECT_TRUE(ihm.paletteEnEvidence[10]);
    ASSERT_EQ(ihm.appelsPalette.size(), 10u);
    for (int e = 0; e < 10; ++e) EXPECT_EQ(ihm.appelsPalette[e], std::make_pair(e, false));
}

}  // namespace
