// Le modèle de la grille : vider, remettre aux indices, pleine, valide, compter, candidats.
#include <gtest/gtest.h>

#include "outilsgrille.h"

namespace {

// Une solution complète d'une grille publique, ou d'une grille vide à défaut de liste.
CGrille GrilleResolue()
{
    CGrille grille;
    const auto liste = ChargerListe("top95.txt");
    Remplir(grille, liste.empty() ? std::string(81, '.') : liste.front());
    EXPECT_TRUE(grille.Resoudre(LimiteJoueur));
    return grille;
}

TEST(Modele, GrilleNeuveSansRienEtGrilleVidee)
{
    CGrille grille;
    EXPECT_EQ(grille.niveauCourant, 0);
    EXPECT_EQ(grille.cases[4][4].possibles, 0) << "aucun drapeau avant toute opération";
    grille.niveauCourant = 3;
    grille.ViderGrille();
    EXPECT_EQ(grille.niveauCourant, 0);
    EXPECT_FALSE(grille.GrillePleine());
    EXPECT_TRUE(grille.GrilleValide());
    EXPECT_EQ(grille.CompterOrigine(Vide), 81);
    for (const auto& ligne : grille.cases)
        for (const Case& k : ligne) EXPECT_EQ(k.possibles, 0x1FF);
}

struct CasValidite {
    int l1, c1, l2, c2;
    bool valide;
};

class Validite : public ::testing::TestWithParam<CasValidite> {};

TEST_P(Validite, DeuxChiffresEgaux)
{
    const CasValidite cas = GetParam();
    CGrille grille;
    grille.ViderGrille();
    grille.cases[cas.l1][cas.c1].chiffre = 7;
    grille.cases[cas.l2][cas.c2].chiffre = 7;
    EXPECT_EQ(grille.GrilleValide(), cas.valide);
    grille.cases[cas.l2][cas.c2].chiffre = 6;
    EXPECT_TRUE(grille.GrilleValide()) << "deux chiffres différents ne se gênent jamais";
}

INSTANTIATE_TEST_SUITE_P(Unites, Validite,
                         ::testing::Values(CasValidite{3, 0, 3, 8, false},   // même ligne
                                           CasValidite{0, 5, 8, 5, false},   // même colonne
                                           CasValidite{6, 6, 8, 8, false},   // même région seulement
                                           CasValidite{3, 3, 4, 5, false},   // région du centre
                                           CasValidite{0, 0, 4, 4, true},    // rien en commun
                                           CasValidite{2, 2, 3, 3, true}));  // régions voisines

TEST(Modele, GrillePleineAvecUnChiffreRepete)
{
    CGrille grille = GrilleResolue();
    ASSERT_TRUE(grille.GrillePleine());
    ASSERT_TRUE(grille.GrilleValide());
    grille.cases[8][8].chiffre = grille.cases[8][7].chiffre;
    EXPECT_TRUE(grille.GrillePleine());
    EXPECT_FALSE(grille.GrilleValide());
    grille.cases[8][8].chiffre = 0;
    EXPECT_FALSE(grille.GrillePleine());
}

TEST(Modele, RemettreGrilleGardeLesIndicesSeulement)
{
    CGrille grille = GrilleResolue();
    grille.cases[0][0].origine = CoupJoueur;  // les coups du joueur partent aussi
    grille.solution[10] = {4, CoupDeMain};
    const auto avant = grille.cases;
    grille.RemettreGrille();
    EXPECT_EQ(grille.niveauCourant, 0);
    for (int l = 0; l < 9; ++l)
        for (int c = 0; c < 9; ++c) {
            const Case& k = grille.cases[l][c];
            if (avant[l][c].origine == Init) {
                EXPECT_EQ(k.chiffre, avant[l][c].chiffre);
                EXPECT_EQ(k.origine, Init);
            } else {
                EXPECT_EQ(k.chiffre, 0);
                EXPECT_EQ(k.origine, Vide);
            }
            EXPECT_EQ(k.niveau, 0);
            EXPECT_EQ(k.possibles, 0x1FF);
        }
    EXPECT_EQ(grille.solution[10].chiffre, 4);
    EXPECT_EQ(grille.solution[10].marque, CoupDeMain);
}

TEST(Modele, ViderGrilleEffaceAussiLesIndices)
{
    CGrille grille = GrilleResolue();
    ASSERT_GT(grille.CompterOrigine(Init), 0);
    grille.ViderGrille();
    EXPECT_EQ(grille.CompterOrigine(Init), 0);
    EXPECT_EQ(grille.CompterOrigine(Vide), 81);
}

// Les possibles d'une case relus à la main dans ses trois unités.
uint16_t PossiblesAttendus(const CGrille& grille, int l, int c)
{
    uint16_t m = 0x1FF;
    for (int i = 0; i < 81; ++i) {
        const int li = i / 9, ci = i % 9;
        const bool voit = li == l || ci == c || (li / 3 == l / 3 && ci / 3 == c / 3);
        const int d = grille.cases[li][ci].chiffre;
        if (voit && d > 0) m &= static_cast<uint16_t>(~(1u << (d - 1)));
    }
    return m;
}

TEST(Modele, CalculerPossiblesLitLesTroisUnites)
{
    CGrille grille;
    const auto liste = ChargerListe("17indices-1000.txt");
    Remplir(grille, liste.empty() ? std::string("1....7.9..3..2...8..96..5....53..9...1..8...26....4...3......1..4......7..7...3..") : liste[7]);
    for (int l = 0; l < 9; ++l)
        for (int c = 0; c < 9; ++c) {
            grille.CalculerPossibles(l, c);
            EXPECT_EQ(grille.cases[l][c].possibles, PossiblesAttendus(grille, l, c)) << l << "," << c;
            if (grille.cases[l][c].chiffre > 0) {
                EXPECT_EQ(grille.cases[l][c].possibles & (1u << (grille.cases[l][c].chiffre - 1)), 0u)
                    << "une case pleine s'exclut elle-même";
            }
        }
}

}  // namespace
