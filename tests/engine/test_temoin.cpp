// Le moteur face au solveur témoin écrit au plus simple : mêmes poses, même ordre, mêmes
// niveaux, mêmes lignes de trace, mêmes candidats et mêmes hypothèses, sur des grilles
// publiques, des semis au hasard (indices répétés compris) et des résolutions bornées.
#include <gtest/gtest.h>

#include "engine/hasard.h"
#include "grillereference.h"
#include "outilsgrille.h"

namespace {

struct Issue {
    bool resultat;
    int remises;
};

// Résout la même grille des deux côtés et compare tout l'état observable.
void Comparer(const std::string& texte, int32_t limite)
{
    CGrille grille;
    Remplir(grille, texte);
    CSortieMemoire trace;
    grille.traceActive = true;
    grille.sortieTrace = &trace;
    int remises = 0;
    grille.remettreAZero = [&remises] { ++remises; };

    CGrilleReference temoin;
    for (int i = 0; i < 81; ++i) {
        auto& k = temoin.cases[i / 9][i % 9];
        k.chiffre = grille.cases[i / 9][i % 9].chiffre;
        k.origine = grille.cases[i / 9][i % 9].origine;
        k.possibles.fill(1);
    }

    const Issue moteur{grille.Resoudre(limite), remises};
    const Issue attendu{temoin.Resoudre(limite), temoin.remisesAZero};

    SCOPED_TRACE(texte);
    ASSERT_EQ(moteur.resultat, attendu.resultat);
    ASSERT_EQ(moteur.remises, attendu.remises);
    ASSERT_EQ(trace.texte, temoin.trace);
    ASSERT_EQ(grille.niveauCourant, temoin.niveauCourant);
    for (int l = 0; l < 9; ++l) {
        for (int c = 0; c < 9; ++c) {
            const Case& k = grille.cases[l][c];
            const auto& r = temoin.cases[l][c];
            ASSERT_EQ(k.chiffre, r.chiffre) << l << "," << c;
            ASSERT_EQ(k.niveau, r.niveau) << l << "," << c;
            ASSERT_EQ(static_cast<int>(k.origine), r.origine) << l << "," << c;
            for (int d = 1; d <= 9; ++d) {
                ASSERT_EQ((k.possibles >> (d - 1)) & 1, r.possibles[d - 1]) << l << "," << c << " chiffre " << d;
            }
        }
    }
    for (int n = 1; n <= grille.niveauCourant; ++n) {
        const Hypothese& h = grille.hypotheses[n];
        const auto& r = temoin.hypotheses[n];
        ASSERT_EQ(h.ligne, r.ligne);
        ASSERT_EQ(h.colonne, r.colonne);
        ASSERT_EQ(h.indice, r.indice);
        for (int i = 0; i <= h.indice + 1 && i < 10; ++i) {
            ASSERT_EQ(h.chiffres[i], r.chiffres[i]);
            if (h.chiffres[i] < 0) break;
        }
    }
}

// Une grille sur `pas` de la liste, pour garder la suite rapide.
void ComparerListe(const std::string& nom, size_t pas, int32_t limite)
{
    const auto grilles = ChargerListe(nom);
    if (grilles.empty()) GTEST_SKIP() << "liste absente : " << nom;
    for (size_t i = 0; i < grilles.size(); i += pas) {
        Comparer(grilles[i], limite);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(Temoin, Top95ResoluCommeLeTemoin) { ComparerListe("top95.txt", 1, LimiteJoueur); }
TEST(Temoin, DifficilesResolusCommeLeTemoin) { ComparerListe("difficiles-375.txt", 15, LimiteJoueur); }
TEST(Temoin, DixSeptIndicesResolusCommeLeTemoin) { ComparerListe("17indices-1000.txt", 20, LimiteJoueur); }
TEST(Temoin, Top1465ResoluCommeLeTemoin) { ComparerListe("top1465.txt", 30, LimiteJoueur); }

// Borné à 100 itérations, l'arrêt laisse la même grille et les mêmes niveaux ouverts.
TEST(Temoin, ArretBorneIdentique) { ComparerListe("top95.txt", 3, LimiteGeneration); }

// Semis au hasard comme le générateur : 18 cases tirées, chiffres tirés, répétitions
// possibles ; couvre les contradictions au niveau 0 et les grilles sans solution.
TEST(Temoin, SemisAuHasard)
{
    CHasard hasard;
    hasard.Semer(20261207);
    for (int essai = 0; essai < 200; ++essai) {
        std::string texte(81, '.');
        const int indices = 10 + essai % 20;
        for (int i = 0; i < indices; ++i) {
            const int l = hasard.Tirer() % 9;
            const int c = hasard.Tirer() % 9;
            texte[l * 9 + c] = static_cast<char>('1' + hasard.Tirer() % 9);
        }
        Comparer(texte, essai % 2 ? LimiteGeneration : 1000);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
