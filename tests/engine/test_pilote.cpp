// Le pilote de résolution : grilles publiques résolues et mémorisées, déductions seules,
// première hypothèse, échec sans niveau (impasse), limite d'itérations.
#include <gtest/gtest.h>

#include "outilsgrille.h"

namespace {

// Toute la liste par ResoudreEtMemoriser : solution pleine, valide, qui reprend les indices
// (marqués Init), et cases revenues aux indices seuls.
TEST(Listes, ResoudreEtMemoriserToutTop95Et17Indices)
{
    for (const char* nom : {"top95.txt", "17indices-1000.txt"}) {
        const auto liste = ChargerListe(nom);
        for (const std::string& texte : liste) {
            SCOPED_TRACE(texte);
            CGrille grille, copie;
            Remplir(grille, texte);
            ASSERT_TRUE(Resolue(grille.ResoudreEtMemoriser()));
            ASSERT_TRUE(grille.SolutionGardee());
            ASSERT_EQ(grille.NiveauCourant(), 0);
            copie.ViderGrille();
            for (int i = 0; i < 81; ++i) {
                const CaseSolution& s = grille.LireSolution(i / 9, i % 9);
                const bool indice = texte[i] >= '1' && texte[i] <= '9';
                ASSERT_TRUE(s.chiffre >= 1 && s.chiffre <= 9) << i;
                if (indice) {
                    ASSERT_EQ(s.chiffre, texte[i] - '0') << i;
                }
                ASSERT_EQ(s.marque, indice ? static_cast<int32_t>(Init) : 0) << i;
                ASSERT_EQ(grille.LireCase(i / 9, i % 9).chiffre, indice ? texte[i] - '0' : 0) << i;
                copie.ChangerCase(i / 9, i % 9, s.chiffre, Init);
            }
            ASSERT_TRUE(copie.GrillePleine() && copie.GrilleValide());
        }
    }
}

TEST(Pilote, DeductionsSeulesSansHypothese)
{
    const auto liste = ChargerListe("qqwing-simple-200.txt");
    for (const std::string& texte : liste) {
        CGrille grille;
        Remplir(grille, texte);
        ASSERT_TRUE(Resolue(grille.Resoudre(LimiteJoueur))) << texte;
        EXPECT_EQ(grille.NiveauCourant(), 0);
        EXPECT_EQ(grille.CompterOrigine(DeduitOrdi) + grille.CompterOrigine(DeduitOrdiUnicite) +
                      grille.CompterOrigine(Init),
                  81);
    }
}

TEST(Pilote, GrilleVideCommenceParLaCaseZeroZero)
{
    CGrille grille;
    CSortieMemoire trace;
    grille.ViderGrille();
    ASSERT_TRUE(Resolue(grille.Resoudre(LimiteJoueur, &trace)));
    ASSERT_FALSE(trace.lignes.empty());
    EXPECT_EQ(trace.lignes[0], "Hypothese -> Case(0,0): Chiffre=1 Niveau=1\n");
    const Hypothese& h = grille.LireHypothese(1);
    EXPECT_EQ(h.ligne * 10 + h.colonne, 0);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(h.chiffres[i], i + 1);
    EXPECT_EQ(h.chiffres[9], -1);
}

TEST(Pilote, ContradictionAuNiveauZeroEstUneImpasse)
{
    // (0,0) ne peut rien recevoir : la ligne a 1 à 8, la colonne a 9.
    const std::string texte = "." "12345678" + std::string(45, '.') + "9" + std::string(26, '.');
    CGrille grille;
    Remplir(grille, texte);
    EXPECT_EQ(grille.Resoudre(LimiteJoueur), FinResolution::Impasse);
    // L'impasse rendue, rien n'est remis : c'est à l'appelant d'y revenir.
    EXPECT_EQ(grille.CompterOrigine(Init), 9);
    // La solution n'est pas touchée ni gardée.
    CGrille seule;
    Remplir(seule, texte);
    EXPECT_EQ(seule.ResoudreEtMemoriser(), FinResolution::Impasse);
    EXPECT_FALSE(seule.SolutionGardee());
    EXPECT_EQ(seule.LireSolution(0, 0).chiffre, 0);
}

// Régression : la limite de 100 itérations déclarait insolubles des grilles valides ; elle
// reste pour le générateur, arrête sans remise à zéro, et la limite du joueur les résout.
TEST(Pilote, LimiteDIterationsArreteSansRemise)
{
    const auto liste = ChargerListe("top95.txt");
    int arretes = 0;
    for (const std::string& texte : liste) {
        CGrille grille;
        Remplir(grille, texte);
        const FinResolution fin = grille.Resoudre(LimiteGeneration);
        if (Resolue(fin)) continue;
        ++arretes;
        EXPECT_EQ(fin, FinResolution::Limite) << texte;
        EXPECT_FALSE(grille.GrillePleine());
        Remplir(grille, texte);
        EXPECT_TRUE(Resolue(grille.Resoudre(LimiteJoueur))) << texte;
    }
    EXPECT_GT(arretes, 0) << "au moins une grille de top95 demande plus de 100 itérations";
}

}  // namespace
