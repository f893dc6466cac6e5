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

// Garde le premier pas du solveur, et ses lignes de trace.
struct CPremierPas : CSortieMemoire {
    std::optional<Pas> pas;
    void Noter(const Pas& p) override
    {
        if (!pas) pas = p;
        CSortieMemoire::Noter(p);
    }
};

// Le prochain pas, sur des grilles publiques : c'est le premier pas du solveur depuis la même
// grille (sa première ligne de trace), la grille n'en change pas, et, pour toute grille que
// les déductions résolvent seules, le suivre pas à pas mène exactement à la solution du
// solveur, chaque chiffre dit étant le sien.
TEST(ProchainPas, PremierPasDuSolveurEtCheminJusquALaSolution)
{
    int suivies = 0;
    for (const char* nom : {"qqwing-simple-200.txt", "top95.txt", "17indices-1000.txt"}) {
        for (const std::string& texte : ChargerListe(nom, 150)) {
            SCOPED_TRACE(texte);
            CGrille grille;
            Remplir(grille, texte);
            CGrille solveur = grille;
            CPremierPas premier;
            const bool resolue = Resolue(solveur.Resoudre(LimiteJoueur, &premier));

            const Pas pas = grille.ProchainPas();
            ASSERT_TRUE(premier.pas.has_value());
            EXPECT_EQ(pas.genre, premier.pas->genre);
            EXPECT_EQ(pas.unite, premier.pas->unite);
            EXPECT_EQ(pas.candidats, premier.pas->candidats);
            const std::string lue = premier.lignes.at(0);
            const std::string attendue = "Case(" + std::to_string(pas.ligne) + "," + std::to_string(pas.colonne) +
                                         ")" + (pas.genre == Pas::Elimination || pas.genre == Pas::Hypothese ? "" : " ") +
                                         ": Chiffre=" + std::to_string(pas.chiffre) + " ";
            EXPECT_NE(lue.find(attendue), std::string::npos) << lue << " / " << attendue;
            EXPECT_EQ(TexteIndices(grille), texte) << "rien posé";
            EXPECT_EQ(grille.CompterOrigine(Vide) + grille.CompterOrigine(Init), 81) << "rien posé";

            if (!resolue || solveur.NiveauCourant() > 0) continue;
            ++suivies;
            while (!grille.GrillePleine()) {
                const Pas p = grille.ProchainPas();
                ASSERT_GE(p.genre, Pas::Elimination);
                ASSERT_LE(p.genre, Pas::UniciteRegion);
                ASSERT_EQ(p.chiffre, solveur.LireCase(p.ligne, p.colonne).chiffre);
                grille.ChangerCase(p.ligne, p.colonne, p.chiffre, CoupJoueur);
            }
            for (int i = 0; i < 81; ++i) ASSERT_EQ(grille.LireCase(i / 9, i % 9).chiffre, solveur.LireCase(i / 9, i % 9).chiffre);
        }
    }
    EXPECT_GT(suivies, 200);
}

// Sans rien à déduire, le pas est l'hypothèse que le pilote ouvrirait ; une grille pleine
// n'en a aucun, une case sans candidat donne la contradiction.
TEST(ProchainPas, HypotheseGrillePleineEtContradiction)
{
    CGrille vide;
    vide.ViderGrille();
    const Pas h = vide.ProchainPas();
    EXPECT_EQ(h.genre, Pas::Hypothese);
    EXPECT_EQ(std::pair(h.ligne, h.colonne), std::pair(0, 0));
    EXPECT_EQ(h.candidats, 0x1FF);
    EXPECT_EQ(h.chiffre, 1);

    CGrille pleine;
    Remplir(pleine, "123456789456789123789123456214365897365897214897214365531642978642978531978531642");
    EXPECT_EQ(pleine.ProchainPas().genre, Pas::Aucun);

    // La case (0,0) voit les neuf chiffres : ligne 1 2 3 4, colonne 5 6 7 8, région 9.
    CGrille bloquee;
    Remplir(bloquee, "." + std::string("1234") + "...." + "." + "9" + "......." + std::string(9, '.') + "5" +
                         std::string(8, '.') + "6" + std::string(8, '.') + "7" + std::string(8, '.') + "8" +
                         std::string(8, '.') + std::string(18, '.'));
    const Pas c = bloquee.ProchainPas();
    EXPECT_EQ(c.genre, Pas::Contradiction);
    EXPECT_EQ(std::pair(c.ligne, c.colonne), std::pair(0, 0));
}

}  // namespace
