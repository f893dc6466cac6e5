// Le pilote de résolution : grilles publiques résolues, profondeur des hypothèses, retours
// en arrière lus dans la trace, échec sans niveau (crochet de remise à zéro).
#include <gtest/gtest.h>

#include <regex>

#include "outilsgrille.h"

namespace {

// Vérifie qu'une solution gardée est pleine, valide et reprend les indices de `texte`.
void VerifierSolution(const CGrille& grille, const std::string& texte)
{
    CGrille copie;
    copie.ViderGrille();
    for (int i = 0; i < 81; ++i) {
        const CaseSolution& s = grille.solution[i];
        ASSERT_GE(s.chiffre, 1);
        ASSERT_LE(s.chiffre, 9);
        copie.cases[i / 9][i % 9].chiffre = s.chiffre;
        const bool indice = texte[i] >= '1' && texte[i] <= '9';
        if (indice) {
            ASSERT_EQ(s.chiffre, texte[i] - '0') << "indice " << i;
        }
        ASSERT_EQ(s.marque, indice ? static_cast<int32_t>(Init) : 0) << i;
        // Les cases reviennent aux indices seuls.
        ASSERT_EQ(grille.cases[i / 9][i % 9].chiffre, indice ? texte[i] - '0' : 0) << i;
    }
    ASSERT_TRUE(copie.GrillePleine());
    ASSERT_TRUE(copie.GrilleValide());
    ASSERT_EQ(grille.niveauCourant, 0);
}

void ResoudreToute(const std::string& nom)
{
    const auto liste = ChargerListe(nom);
    if (liste.empty()) GTEST_SKIP() << "liste absente : " << nom;
    for (const std::string& texte : liste) {
        CGrille grille;
        Remplir(grille, texte);
        ASSERT_TRUE(grille.ResoudreEtMemoriser()) << texte;
        VerifierSolution(grille, texte);
        if (::testing::Test::HasFatalFailure()) {
            ADD_FAILURE() << texte;
            return;
        }
    }
}

TEST(Listes, Top95) { ResoudreToute("top95.txt"); }
TEST(Listes, DixSeptIndices) { ResoudreToute("17indices-1000.txt"); }

TEST(Pilote, DeductionsSeulesSansHypothese)
{
    const auto liste = ChargerListe("qqwing-simple-200.txt");
    if (liste.empty()) GTEST_SKIP() << "liste absente";
    for (const std::string& texte : liste) {
        CGrille grille;
        Remplir(grille, texte);
        ASSERT_TRUE(grille.Resoudre(LimiteJoueur));
        EXPECT_EQ(grille.niveauCourant, 0);
        EXPECT_EQ(grille.CompterOrigine(HypoOrdi), 0);
        EXPECT_EQ(grille.CompterOrigine(DeduitOrdi) + grille.CompterOrigine(DeduitOrdiUnicite) +
                      grille.CompterOrigine(Init),
                  81);
    }
}

TEST(Pilote, UneCaseHypoOrdiParNiveauOuvert)
{
    const auto liste = ChargerListe("top95.txt");
    if (liste.empty()) GTEST_SKIP() << "liste absente";
    int avecHypotheses = 0;
    for (const std::string& texte : liste) {
        CGrille grille;
        Remplir(grille, texte);
        ASSERT_TRUE(grille.Resoudre(LimiteJoueur));
        ASSERT_EQ(grille.CompterOrigine(HypoOrdi), grille.niveauCourant);
        for (int n = 1; n <= grille.niveauCourant; ++n) {
            const Hypothese& h = grille.hypotheses[n];
            const Case& k = grille.cases[h.ligne][h.colonne];
            EXPECT_EQ(k.origine, HypoOrdi);
            EXPECT_EQ(k.niveau, n);
            EXPECT_EQ(k.chiffre, h.chiffres[h.indice]);
        }
        avecHypotheses += grille.niveauCourant > 0;
    }
    EXPECT_GT(avecHypotheses, 0);
}

TEST(Pilote, GrilleVideCommenceParLaCaseZeroZero)
{
    CGrille grille;
    CSortieMemoire trace;
    grille.ViderGrille();
    grille.traceActive = true;
    grille.sortieTrace = &trace;
    ASSERT_TRUE(grille.Resoudre(LimiteJoueur));
    ASSERT_FALSE(trace.lignes.empty());
    EXPECT_EQ(trace.lignes[0], "Hypothese -> Case(0,0): Chiffre=1 Niveau=1\n");
    const Hypothese& h = grille.hypotheses[1];
    EXPECT_EQ(h.ligne, 0);
    EXPECT_EQ(h.colonne, 0);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(h.chiffres[i], i + 1);
    EXPECT_EQ(h.chiffres[9], -1);
}

// Relit la trace d'une résolution : chaque hypothèse ouvre le niveau suivant, ou reprend un
// niveau ouvert (le même ou plus bas après retour en arrière) sur la même case avec un
// chiffre plus grand. Compte les reprises et les retours de plus d'un niveau.
struct Lecture {
    int reprises = 0;
    int descentes = 0;
};

Lecture RelireHypotheses(const std::vector<std::string>& lignes)
{
    static const std::regex hypothese(R"(Hypothese -> Case\(([0-8]),([0-8])\): Chiffre=([1-9]) Niveau=([0-9]+)\n)");
    struct Niveau {
        int l, c, chiffre;
    };
    std::vector<Niveau> ouverts;
    Lecture lecture;
    for (const std::string& ligne : lignes) {
        std::smatch m;
        if (!std::regex_match(ligne, m, hypothese)) continue;
        const int l = std::stoi(m[1]), c = std::stoi(m[2]), d = std::stoi(m[3]), n = std::stoi(m[4]);
        EXPECT_GE(n, 1);
        EXPECT_LE(n, static_cast<int>(ouverts.size()) + 1) << ligne;
        if (n == static_cast<int>(ouverts.size()) + 1) {
            ouverts.push_back({l, c, d});
            continue;
        }
        const Niveau& avant = ouverts[n - 1];
        EXPECT_EQ(avant.l, l) << ligne;
        EXPECT_EQ(avant.c, c) << ligne;
        EXPECT_GT(d, avant.chiffre) << "candidats essayés en ordre croissant : " << ligne;
        ++lecture.reprises;
        if (n < static_cast<int>(ouverts.size())) ++lecture.descentes;
        ouverts.resize(n);
        ouverts.back().chiffre = d;
    }
    return lecture;
}

TEST(Pilote, ReprisesEtRetoursEnArriere)
{
    const auto liste = ChargerListe("top95.txt");
    if (liste.empty()) GTEST_SKIP() << "liste absente";
    Lecture total;
    for (const std::string& texte : liste) {
        CGrille grille;
        CSortieMemoire trace;
        Remplir(grille, texte);
        grille.traceActive = true;
        grille.sortieTrace = &trace;
        ASSERT_TRUE(grille.Resoudre(LimiteJoueur));
        const Lecture l = RelireHypotheses(trace.lignes);
        total.reprises += l.reprises;
        total.descentes += l.descentes;
    }
    EXPECT_GT(total.reprises, 0) << "aucun chiffre suivant essayé : la liste ne teste rien";
    EXPECT_GT(total.descentes, 0) << "aucun niveau épuisé : la liste ne teste rien";
}

TEST(Pilote, ContradictionAuNiveauZeroAppelleLeCrochet)
{
    CGrille grille;
    // (0,0) ne peut rien recevoir : la ligne a 1 à 8, la colonne a 9.
    Remplir(grille, "." "12345678" "........." "........." "........." "........." "9........" "........." "........." ".........");
    int appels = 0;
    grille.remettreAZero = [&] {
        ++appels;
        grille.RemettreGrille();
    };
    EXPECT_FALSE(grille.Resoudre(LimiteJoueur));
    EXPECT_EQ(appels, 1);
    EXPECT_EQ(grille.CompterOrigine(Init), 9);
    EXPECT_EQ(grille.CompterOrigine(Vide), 72) << "le crochet a remis la grille à ses indices";
    // Sans crochet : rien n'est remis, l'échec reste.
    CGrille seule;
    Remplir(seule, "." "12345678" + std::string(63, '.') + "9" + std::string(8, '.'));
    EXPECT_FALSE(seule.ResoudreEtMemoriser());
    EXPECT_EQ(seule.solution[0].chiffre, 0) << "la solution n'est pas touchée";
}

// Un indice faux mais compatible avec les autres : plus de solution, mais les déductions
// seules ne le voient pas toujours ; la recherche épuise alors le niveau 1 et finit par le
// crochet, une seule fois.
TEST(Pilote, NiveauUnEpuiseFinitParLeCrochet)
{
    const auto liste = ChargerListe("top95.txt");
    if (liste.empty()) GTEST_SKIP() << "liste absente";
    int parHypotheses = 0;
    for (size_t g = 0; g < 20; ++g) {
        CGrille grille;
        Remplir(grille, liste[g]);
        ASSERT_TRUE(grille.ResoudreEtMemoriser());
        std::string texte = liste[g];
        const size_t vide = texte.find('.');
        grille.CalculerPossibles(static_cast<int>(vide / 9), static_cast<int>(vide % 9));
        const uint16_t possibles = grille.cases[vide / 9][vide % 9].possibles;
        int faux = 0;
        for (int d = 1; d <= 9 && faux == 0; ++d)
            if ((possibles >> (d - 1) & 1) && d != grille.solution[vide].chiffre) faux = d;
        if (faux == 0) continue;
        texte[vide] = static_cast<char>('0' + faux);

        CGrille fausse;
        CSortieMemoire trace;
        Remplir(fausse, texte);
        fausse.traceActive = true;
        fausse.sortieTrace = &trace;
        int appels = 0;
        fausse.remettreAZero = [&] {
            ++appels;
            fausse.RemettreGrille();
        };
        EXPECT_FALSE(fausse.Resoudre(LimiteJoueur)) << texte;
        EXPECT_EQ(appels, 1) << texte;
        EXPECT_EQ(fausse.CompterOrigine(Vide) + fausse.CompterOrigine(Init), 81);
        if (trace.texte.find("Niveau=1\n") != std::string::npos) ++parHypotheses;
    }
    EXPECT_GT(parHypotheses, 0) << "aucun cas n'est passé par les hypothèses";
}

TEST(Pilote, LimiteDIterationsArreteSansRemise)
{
    const auto liste = ChargerListe("top95.txt");
    if (liste.empty()) GTEST_SKIP() << "liste absente";
    int arretes = 0;
    for (const std::string& texte : liste) {
        CGrille grille;
        Remplir(grille, texte);
        int appels = 0;
        grille.remettreAZero = [&] { ++appels; };
        if (!grille.Resoudre(LimiteGeneration)) {
            ++arretes;
            EXPECT_EQ(appels, 0) << "la limite arrête sans remise à zéro";
            EXPECT_FALSE(grille.GrillePleine());
            // La même grille, sans limite serrée, est résolue.
            Remplir(grille, texte);
            EXPECT_TRUE(grille.Resoudre(LimiteJoueur));
        }
    }
    EXPECT_GT(arretes, 0) << "au moins une grille de top95 demande plus de 100 itérations";
}

}  // namespace
