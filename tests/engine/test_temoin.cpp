// Le moteur face au solveur témoin écrit au plus simple : mêmes poses, même ordre, mêmes
// niveaux, mêmes lignes de trace, mêmes candidats et mêmes hypothèses, sur des grilles
// publiques, des semis au hasard (indices répétés compris) et des résolutions bornées.
#include <gtest/gtest.h>

#include "engine/hasard.h"
#include "grillereference.h"
#include "outilsgrille.h"

namespace {

// Ce que la résolution a montré : issue, remises à zéro, trace.
struct Issue {
    bool resultat = false;
    int remises = 0;
    std::vector<std::string> lignes;
};

// Résout la même grille des deux côtés et compare tout l'état observable.
Issue Comparer(const std::string& texte, int32_t limite)
{
    CGrille grille;
    Remplir(grille, texte);
    CSortieMemoire trace;
    CGrilleReference temoin;
    for (int i = 0; i < 81; ++i) {
        auto& k = temoin.cases[i / 9][i % 9];
        k.chiffre = grille.LireCase(i / 9, i % 9).chiffre;
        k.origine = grille.LireCase(i / 9, i % 9).origine;
        k.possibles.fill(1);
    }
    // Une impasse est le moment où le témoin compte une remise à zéro.
    const FinResolution fin = grille.Resoudre(limite, &trace);
    const Issue moteur{Resolue(fin), fin == FinResolution::Impasse ? 1 : 0, trace.lignes};

    SCOPED_TRACE(texte);
    EXPECT_EQ(moteur.resultat, temoin.Resoudre(limite));
    EXPECT_EQ(moteur.remises, temoin.remisesAZero);
    EXPECT_EQ(trace.texte, temoin.trace);
    EXPECT_EQ(grille.NiveauCourant(), temoin.niveauCourant);
    for (int i = 0; i < 81; ++i) {
        const Case& k = grille.LireCase(i / 9, i % 9);
        const auto& r = temoin.cases[i / 9][i % 9];
        EXPECT_EQ(k.chiffre, r.chiffre) << i;
        EXPECT_EQ(k.niveau, r.niveau) << i;
        EXPECT_EQ(static_cast<int>(k.origine), r.origine) << i;
        for (int d = 1; d <= 9; ++d) EXPECT_EQ((k.possibles >> (d - 1)) & 1, r.possibles[d - 1]) << i << " chiffre " << d;
    }
    for (int n = 1; n <= grille.NiveauCourant() && n <= temoin.niveauCourant; ++n) {
        const Hypothese& h = grille.LireHypothese(n);
        const auto& r = temoin.hypotheses[n];
        EXPECT_EQ(h.ligne, r.ligne);
        EXPECT_EQ(h.colonne, r.colonne);
        EXPECT_EQ(h.indice, r.indice);
        for (int i = 0; i <= h.indice + 1 && i < 10 && (i == 0 || h.chiffres[i - 1] >= 0); ++i)
            EXPECT_EQ(h.chiffres[i], r.chiffres[i]);
    }
    return moteur;
}

// Une grille sur `pas` de la liste, pour garder la suite rapide.
void ComparerListe(const std::string& nom, size_t pas, int32_t limite)
{
    const auto grilles = ChargerListe(nom);
    for (size_t i = 0; i < grilles.size() && !::testing::Test::HasFailure(); i += pas) Comparer(grilles[i], limite);
}

TEST(Temoin, DifficilesResolusCommeLeTemoin) { ComparerListe("difficiles-375.txt", 15, LimiteJoueur); }
TEST(Temoin, DixSeptIndicesResolusCommeLeTemoin) { ComparerListe("17indices-1000.txt", 20, LimiteJoueur); }
TEST(Temoin, Top1465ResoluCommeLeTemoin) { ComparerListe("top1465.txt", 30, LimiteJoueur); }
// Borné à 100 itérations, l'arrêt laisse la même grille et les mêmes niveaux ouverts.
TEST(Temoin, ArretBorneIdentique) { ComparerListe("top95.txt", 3, LimiteGeneration); }

// Compte dans une trace les reprises d'un niveau déjà ouvert (chiffre suivant) et les
// retours de plus d'un niveau (niveau épuisé, retour au niveau d'en dessous).
std::pair<int, int> CompterRetours(const std::vector<std::string>& lignes)
{
    int ouverts = 0, reprises = 0, descentes = 0;
    for (const std::string& ligne : lignes) {
        const auto p = ligne.find("Niveau=");
        if (!ligne.starts_with("Hypothese") || p == std::string::npos) continue;
        const int n = std::stoi(ligne.substr(p + 7));
        reprises += n <= ouverts;
        descentes += n < ouverts;
        ouverts = n;
    }
    return {reprises, descentes};
}

// top95 entier, et les retours en arrière relus dans la trace.
TEST(Temoin, Top95ResoluCommeLeTemoinAvecRetoursEnArriere)
{
    const auto grilles = ChargerListe("top95.txt");
    int reprises = 0, descentes = 0;
    for (const std::string& texte : grilles) {
        const Issue issue = Comparer(texte, LimiteJoueur);
        EXPECT_TRUE(issue.resultat) << texte;
        const auto [r, d] = CompterRetours(issue.lignes);
        reprises += r;
        descentes += d;
        if (HasFailure()) return;
    }
    EXPECT_GT(reprises, 0) << "aucun chiffre suivant essayé : la liste ne teste rien";
    EXPECT_GT(descentes, 0) << "aucun niveau épuisé : la liste ne teste rien";
}

// Semis au hasard comme le générateur : 18 cases tirées, chiffres tirés, répétitions
// possibles ; couvre les contradictions au niveau 0 et les grilles sans solution, dont
// celles qui épuisent leurs hypothèses avant la remise à zéro.
TEST(Temoin, SemisAuHasard)
{
    CHasard hasard;
    hasard.Semer(20261207);
    int epuisees = 0;
    for (int essai = 0; essai < 200 && !HasFailure(); ++essai) {
        std::string texte(81, '.');
        const int indices = 10 + essai % 20;
        for (int i = 0; i < indices; ++i) {
            const int l = hasard.Tirer() % 9;
            const int c = hasard.Tirer() % 9;
            texte[l * 9 + c] = static_cast<char>('1' + hasard.Tirer() % 9);
        }
        const Issue issue = Comparer(texte, essai % 2 ? LimiteGeneration : 1000);
        bool hypotheses = false;
        for (const auto& l : issue.lignes) hypotheses |= l.starts_with("Hypothese");
        epuisees += !issue.resultat && issue.remises == 1 && hypotheses;
    }
    EXPECT_GT(epuisees, 0) << "aucun semis n'a épuisé ses hypothèses";
}

}  // namespace
