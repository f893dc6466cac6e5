// Le modèle de la grille : vider, remettre aux indices, pleine, valide, compter, candidats.
#include <gtest/gtest.h>

#include "outilsgrille.h"

namespace {

// La solution complète de la première grille de top95.
CGrille GrilleResolue()
{
    CGrille grille;
    const auto liste = ChargerListe("top95.txt");
    Remplir(grille, liste.at(0));
    EXPECT_TRUE(Resolue(grille.Resoudre(LimiteJoueur)));
    return grille;
}

TEST(Modele, GrilleNeuveEtGrilleVidee)
{
    CGrille grille;
    EXPECT_EQ(grille.NiveauCourant(), 0);
    EXPECT_EQ(grille.LireCase(4, 4).possibles, 0) << "aucun drapeau avant toute opération";
    grille = GrilleResolue();
    CEssaiPilote::FixerNiveau(grille, 3);
    ASSERT_GT(grille.CompterOrigine(Init), 0);
    grille.ViderGrille();  // les indices partent aussi
    EXPECT_EQ(grille.NiveauCourant(), 0);
    EXPECT_FALSE(grille.GrillePleine());
    EXPECT_TRUE(grille.GrilleValide());
    EXPECT_EQ(grille.CompterOrigine(Vide), 81);
    for (int i = 0; i < 81; ++i) EXPECT_EQ(grille.LireCase(i / 9, i % 9).possibles, 0x1FF);
}

TEST(Modele, ValiditeDeDeuxChiffresEgaux)
{
    const struct {
        int l1, c1, l2, c2;
        bool valide;
    } cas[] = {
        {3, 0, 3, 8, false},  // même ligne
        {0, 5, 8, 5, false},  // même colonne
        {6, 6, 8, 8, false},  // même région seulement
        {3, 3, 4, 5, false},  // région du centre
        {0, 0, 4, 4, true},   // rien en commun
        {2, 2, 3, 3, true},   // régions voisines
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(testing::Message() << c.l1 << c.c1 << " " << c.l2 << c.c2);
        CGrille grille;
        grille.ViderGrille();
        grille.ChangerCase(c.l1, c.c1, 7, CoupJoueur);
        grille.ChangerCase(c.l2, c.c2, 7, CoupJoueur);
        EXPECT_EQ(grille.GrilleValide(), c.valide);
        grille.ChangerCase(c.l2, c.c2, 6, CoupJoueur);
        EXPECT_TRUE(grille.GrilleValide()) << "deux chiffres différents ne se gênent jamais";
    }
}

TEST(Modele, GrillePleineAvecUnChiffreRepete)
{
    CGrille grille = GrilleResolue();
    ASSERT_TRUE(grille.GrillePleine());
    ASSERT_TRUE(grille.GrilleValide());
    grille.ChangerCase(8, 8, grille.LireCase(8, 7).chiffre, CoupJoueur);
    EXPECT_TRUE(grille.GrillePleine());
    EXPECT_FALSE(grille.GrilleValide());
    grille.ChangerCase(8, 8, 0, Vide);
    EXPECT_FALSE(grille.GrillePleine());
}

TEST(Modele, RemettreGrilleGardeLesIndicesSeulement)
{
    CGrille grille = GrilleResolue();
    grille.ChangerOrigine(0, 0, CoupJoueur);  // les coups du joueur partent aussi
    grille.MarquerSolution(1, 1, CoupDeMain);
    const CGrille avant = grille;
    grille.RemettreGrille();
    EXPECT_EQ(grille.NiveauCourant(), 0);
    for (int l = 0; l < 9; ++l)
        for (int c = 0; c < 9; ++c) {
            const Case& k = grille.LireCase(l, c);
            const bool indice = avant.LireCase(l, c).origine == Init;
            EXPECT_EQ(k.chiffre, indice ? avant.LireCase(l, c).chiffre : 0);
            EXPECT_EQ(k.origine, indice ? Init : Vide);
            EXPECT_EQ(k.niveau, 0);
            EXPECT_EQ(k.possibles, 0x1FF);
        }
    EXPECT_EQ(grille.LireSolution(1, 1).marque, CoupDeMain) << "la solution gardée ne bouge pas";
}

TEST(Modele, CalculerPossiblesLitLesTroisUnites)
{
    CGrille grille;
    grille.ViderGrille();
    // (4,4) voit 1 dans sa ligne, 2 dans sa colonne, 3 dans sa région ; pas le 4 de (0,0).
    grille.PoserIndice(4, 0, 1);
    grille.PoserIndice(8, 4, 2);
    grille.PoserIndice(3, 5, 3);
    grille.PoserIndice(0, 0, 4);
    grille.CalculerPossibles(4, 4);
    EXPECT_EQ(grille.LireCase(4, 4).possibles, 0x1FF & ~0b111);
    grille.CalculerPossibles(3, 5);  // une case pleine s'exclut elle-même
    EXPECT_EQ(grille.LireCase(3, 5).possibles, 0x1FF & ~0b100);
    grille.CalculerPossibles(0, 8);
    EXPECT_EQ(grille.LireCase(0, 8).possibles, 0x1FF & ~0b1000);
}

}  // namespace
