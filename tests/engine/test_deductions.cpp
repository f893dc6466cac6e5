// Les deux déductions, le choix de la case d'hypothèse, la pose et l'annulation d'un niveau,
// sur des grilles construites pour chaque cas. L'ordre des poses sur de vraies grilles est
// comparé au solveur témoin (test_temoin.cpp).
#include <gtest/gtest.h>

#include "outilsgrille.h"

namespace {

constexpr uint16_t Tous = 0x1FF;
uint16_t BitDe(int d) { return static_cast<uint16_t>(1u << (d - 1)); }

void Poser(CGrille& g, int l, int c, int d) { g.PoserIndice(l, c, d); }

// Le chiffre `d` n'est plus possible qu'aux cases `places` (l*9+c).
void SeulementEn(CGrille& g, int d, std::initializer_list<int> places)
{
    for (int i = 0; i < 81; ++i) CEssaiPilote::FixerPossibles(g, i / 9, i % 9, Tous & ~BitDe(d));
    for (const int i : places) CEssaiPilote::FixerPossibles(g, i / 9, i % 9, Tous);
}

struct AvecTrace {
    CGrille grille;
    CSortieMemoire trace;
    AvecTrace()
    {
        grille.ViderGrille();
    }
};

TEST(Elimination, NeuviemeChiffreDUneCase)
{
    AvecTrace t;
    // La case (4,7) voit 1 2 3 dans sa ligne, 4 5 6 dans sa colonne, 7 8 dans sa région.
    Poser(t.grille, 4, 0, 1), Poser(t.grille, 4, 1, 2), Poser(t.grille, 4, 2, 3);
    Poser(t.grille, 0, 7, 4), Poser(t.grille, 1, 7, 5), Poser(t.grille, 8, 7, 6);
    Poser(t.grille, 3, 6, 7), Poser(t.grille, 5, 8, 8);
    CEssaiPilote::FixerNiveau(t.grille, 3);
    EXPECT_EQ(t.grille.DeduireElimination(&t.trace), 1);
    const Case& k = t.grille.LireCase(4, 7);
    EXPECT_EQ(k.chiffre, 9);
    EXPECT_EQ(k.origine, DeduitOrdi);
    EXPECT_EQ(k.niveau, 3);
    ASSERT_EQ(t.trace.lignes.size(), 1u);
    EXPECT_EQ(t.trace.lignes[0], "D\xC3\xA9" "duction par \xC3\xA9limination -> Case(4,7): Chiffre=9 Niveau=3 \n");
}

TEST(Elimination, GrillePleineNeFaitRien)
{
    AvecTrace t;
    Remplir(t.grille, "123456789456789123789123456214365897365897214897214365531642978642978531978531642");
    ASSERT_TRUE(t.grille.GrilleValide());
    EXPECT_EQ(t.grille.DeduireElimination(&t.trace), 0);
    EXPECT_EQ(t.grille.DeduireUnicite(&t.trace), 0);
    EXPECT_TRUE(t.trace.lignes.empty());
}

TEST(Elimination, IndicesRepetesRetirentSeulementDesCandidats)
{
    CGrille grille;
    grille.ViderGrille();
    Poser(grille, 0, 0, 5), Poser(grille, 0, 4, 5);
    EXPECT_EQ(grille.DeduireElimination(), 0);
    EXPECT_EQ(grille.LireCase(0, 8).possibles, Tous & ~BitDe(5));
}

TEST(Unicite, PoseeParLaColonneQuandLaLigneEnACinq)
{
    AvecTrace t;
    // Le 1 n'est possible qu'en (2,3) et (2,5) : deux places dans la ligne 2, une seule
    // dans la colonne 3, qui passe avant la colonne 5.
    SeulementEn(t.grille, 1, {2 * 9 + 3, 2 * 9 + 5});
    EXPECT_EQ(t.grille.DeduireUnicite(&t.trace), 1);
    EXPECT_EQ(t.grille.LireCase(2, 3).chiffre, 1);
    EXPECT_EQ(t.grille.LireCase(2, 3).origine, DeduitOrdiUnicite);
    EXPECT_EQ(t.grille.LireCase(2, 3).possibles, Tous) << "les drapeaux de la case posée restent";
    EXPECT_EQ(t.grille.LireCase(2, 5).possibles, Tous & ~BitDe(1)) << "effacé par la ligne 2";
    EXPECT_EQ(t.grille.LireCase(2, 5).chiffre, 0);
    ASSERT_EQ(t.trace.lignes.size(), 1u);
    EXPECT_EQ(t.trace.lignes[0], "D\xC3\xA9" "duction par unicit\xC3\xA9 (colonne) -> Case(2,3) : Chiffre=1 Niveau=0 \n");
}

TEST(Unicite, DeuxChiffresUniquesDansLaMemeCase)
{
    AvecTrace t;
    CEssaiPilote::FixerNiveau(t.grille, 2);
    for (int c = 0; c < 9; ++c)
        if (c != 2) CEssaiPilote::FixerPossibles(t.grille, 0, c, Tous & ~(BitDe(3) | BitDe(6)));
    EXPECT_EQ(t.grille.DeduireUnicite(&t.trace), 1);
    EXPECT_EQ(t.grille.LireCase(0, 2).chiffre, 6) << "le plus grand reste";
    EXPECT_EQ(t.grille.LireCase(0, 2).niveau, 2);
    ASSERT_EQ(t.trace.lignes.size(), 2u);
    EXPECT_EQ(t.trace.lignes[0], "D\xC3\xA9" "duction par unicit\xC3\xA9 (ligne)-> Case(0,2) : Chiffre=3 Niveau=2 \n");
    EXPECT_EQ(t.trace.lignes[1], "D\xC3\xA9" "duction par unicit\xC3\xA9 (ligne)-> Case(0,2) : Chiffre=6 Niveau=2 \n");
}

TEST(Unicite, RegionQuandNiLigneNiColonneNeDecident)
{
    // Le 4 : deux places par ligne et par colonne, une seule dans les régions 3, 6 et 7.
    AvecTrace r;
    // Cases (6,0) région 6, (6,3) région 7, (3,0) région 3, (3,4) (4,3) (4,4) région 4.
    SeulementEn(r.grille, 4, {54, 57, 27, 31, 39, 40});
    EXPECT_EQ(r.grille.DeduireUnicite(&r.trace), 1);
    ASSERT_FALSE(r.trace.lignes.empty());
    EXPECT_EQ(r.trace.lignes[0], "D\xC3\xA9" "duction par unicit\xC3\xA9 (r\xC3\xA9gion) -> Case(3,0) : Chiffre=4 Niveau=0 \n");
}

// Moins de candidats d'abord, puis la première en lecture ; rendu l*10+c.
TEST(Choix, MoinsDeCandidatsPuisPremiereEnLecture)
{
    const std::pair<std::vector<std::pair<int, uint16_t>>, int32_t> cas[] = {
        {{}, 0},                                                 // vide : (0,0), neuf candidats
        {{{4 * 9 + 6, 0x003}, {2 * 9 + 8, 0x00C}}, 28},          // deux à deux : la première en lecture
        {{{0, 0x001}, {1, 0x000}, {50, 0x0F0}, {60, 0x007}}, 66},  // 0 ou 1 candidat : jamais choisie
        {{{70, 0x007}, {10, 0x00F}, {5, 0x01F}}, 77},              // 3 avant 4 avant 5
        {{{80, 0x101}}, 88},
    };
    for (const auto& [drapeaux, attendu] : cas) {
        CGrille grille;
        grille.ViderGrille();
        for (const auto& [i, m] : drapeaux) CEssaiPilote::FixerPossibles(grille, i / 9, i % 9, m);
        EXPECT_EQ(CEssaiPilote::ChoisirCaseHypothese(grille), attendu);
    }
}

TEST(Choix, GrillePleineRendMoinsUn)
{
    CGrille grille;
    Remplir(grille, "123456789456789123789123456214365897365897214897214365531642978642978531978531642");
    EXPECT_EQ(CEssaiPilote::ChoisirCaseHypothese(grille), -1);
}

TEST(Hypothese, PoseReessaiEtAnnulation)
{
    AvecTrace t;
    Poser(t.grille, 0, 0, 5);
    CEssaiPilote::FixerPossibles(t.grille, 3, 6, BitDe(3) | BitDe(7));
    CEssaiPilote::PoserHypothese(t.grille, 36, &t.trace);
    EXPECT_EQ(t.grille.NiveauCourant(), 1);
    const Hypothese& h = CEssaiPilote::Niveau(t.grille, 1);
    EXPECT_EQ(h.ligne * 10 + h.colonne, 36);
    EXPECT_EQ(h.indice, 0);
    EXPECT_EQ((std::array{h.chiffres[0], h.chiffres[1], h.chiffres[2]}), (std::array{3, 7, -1}));
    const Case& k = t.grille.LireCase(3, 6);
    EXPECT_EQ(k.chiffre, 3);
    EXPECT_EQ(k.origine, HypoOrdi);
    EXPECT_EQ(k.niveau, 1);

    CEssaiPilote::AnnulerNiveau(t.grille);
    EXPECT_EQ(k.chiffre, 0);
    EXPECT_EQ(k.origine, Vide);
    EXPECT_EQ(k.niveau, 0);
    EXPECT_EQ(t.grille.LireCase(0, 0).chiffre, 5) << "un indice n'est pas d'un niveau ouvert";
    EXPECT_EQ(t.grille.NiveauCourant(), 1);
    EXPECT_EQ(t.grille.LireCase(0, 8).possibles, Tous & ~BitDe(5)) << "tous les candidats recalculés";
    EXPECT_EQ(t.grille.LireCase(0, 0).possibles, Tous & ~BitDe(5)) << "une case pleine aussi";

    CEssaiPilote::PoserHypothese(t.grille, -1, &t.trace);
    EXPECT_EQ(k.chiffre, 7);
    EXPECT_EQ(CEssaiPilote::Niveau(t.grille, 1).indice, 1);
    ASSERT_EQ(t.trace.lignes.size(), 2u);
    EXPECT_EQ(t.trace.lignes[0], "Hypothese -> Case(3,6): Chiffre=3 Niveau=1\n");
    EXPECT_EQ(t.trace.lignes[1], "Hypothese -> Case(3,6): Chiffre=7 Niveau=1\n");
}

TEST(Hypothese, ChiffreSuivantSansNiveauOuvertNeChangeRien)
{
    // Niveau courant hors de la table des hypothèses, ou rang d'essai faussé : rien n'est
    // lu ni écrit hors des enregistrements, la grille reste telle quelle.
    for (const int32_t niveau : {0, -1, 81, 1000}) {
        AvecTrace t;
        CEssaiPilote::FixerNiveau(t.grille, niveau);
        CEssaiPilote::PoserHypothese(t.grille, -1, &t.trace);
        EXPECT_EQ(t.grille.NiveauCourant(), niveau);
        EXPECT_EQ(t.grille.CompterOrigine(Vide), 81) << niveau;
        EXPECT_TRUE(t.trace.lignes.empty()) << niveau;
    }
    AvecTrace t;
    CEssaiPilote::FixerNiveau(t.grille, 1);
    CEssaiPilote::Niveau(t.grille, 1) = {2, 2, {4, 5, -1}, -5};
    CEssaiPilote::PoserHypothese(t.grille, -1, &t.trace);
    EXPECT_EQ(CEssaiPilote::Niveau(t.grille, 1).indice, -5);
    EXPECT_EQ(t.grille.CompterOrigine(Vide), 81);
    // Au niveau 0, il n'y a rien à défaire : les indices restent.
    Poser(t.grille, 4, 4, 7);
    CEssaiPilote::FixerNiveau(t.grille, 0);
    CEssaiPilote::AnnulerNiveau(t.grille);
    EXPECT_EQ(t.grille.LireCase(4, 4).chiffre, 7);
}

TEST(Trace, LeSuiviNeChangeRienALaResolution)
{
    const auto liste = ChargerListe("top95.txt");
    CGrille seule;
    Remplir(seule, liste.at(0));
    CGrille suivie = seule;
    CSortieMemoire trace;
    EXPECT_TRUE(Resolue(seule.Resoudre(LimiteJoueur)));
    EXPECT_TRUE(Resolue(suivie.Resoudre(LimiteJoueur, &trace)));
    EXPECT_FALSE(trace.lignes.empty());
    for (int i = 0; i < 81; ++i) {
        EXPECT_EQ(seule.LireCase(i / 9, i % 9).chiffre, suivie.LireCase(i / 9, i % 9).chiffre) << i;
        EXPECT_EQ(seule.LireCase(i / 9, i % 9).niveau, suivie.LireCase(i / 9, i % 9).niveau) << i;
    }
}

}  // namespace
