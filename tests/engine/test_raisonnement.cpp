// Le raisonnement par techniques face à la solution que trouve le solveur de CGrille, sur
// toutes les listes publiques : rien de faux n'est dit, et « Pourquoi ? » donne une chaîne
// qui suffit à sa pose ; le compteur de solutions et la preuve par l'absurde y sont tenus de
// même. Les techniques une à une : tests/game/test_explicationtechnique.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "engine/compteur.h"
#include "engine/raisonnement.h"
#include "tests/support/listes.h"

namespace {

int Indice(int32_t ligne, int32_t colonne) { return ligne * 9 + colonne; }
uint16_t Bit(int32_t d) { return static_cast<uint16_t>(1u << (d - 1)); }

bool Voisines(int i, int j)
{
    return j != i && (j / 9 == i / 9 || j % 9 == i % 9 || (j / 27 == i / 27 && j % 9 / 3 == i % 9 / 3));
}

// Les candidats que laissent les chiffres posés, calculés ici sans le moteur.
Candidats CandidatsDe(const Position& p)
{
    Candidats c{};
    for (int i = 0; i < 81; ++i) {
        if (p[i] != 0) continue;
        c[i] = 0x1FF;
        for (int j = 0; j < 81; ++j)
            if (Voisines(i, j) && p[j] != 0) c[i] &= static_cast<uint16_t>(~Bit(p[j]));
    }
    return c;
}

// Les cases d'une unité (lignes, colonnes, régions en lecture).
std::vector<int> CasesDe(const Unite& u)
{
    std::vector<int> cases;
    for (int k = 0; k < 9; ++k) {
        if (u.genre == GenreUnite::Ligne) cases.push_back(Indice(u.numero, k));
        if (u.genre == GenreUnite::Colonne) cases.push_back(Indice(k, u.numero));
        if (u.genre == GenreUnite::Region) cases.push_back(Indice(u.numero / 3 * 3 + k / 3, u.numero % 3 * 3 + k % 3));
    }
    return cases;
}

// L'explication entière : sous des hypothèses toutes justes (aucune à 0), chaque pose donne
// le chiffre de la solution, aucun retrait ne l'ôte, aucune contradiction n'arrive ; et elle
// finit sur la solution, dite unique quand des hypothèses restent ouvertes.
void VerifierExplication(const Explication& x, const Position& solution)
{
    std::vector<bool> justes;  // par niveau ouvert : l'hypothèse est-elle la solution ?
    for (std::size_t k = 0; k < x.etapes.size(); ++k) {
        const Etape& e = x.etapes[k];
        SCOPED_TRACE("étape " + std::to_string(k + 1));
        const bool toutesJustes = std::all_of(justes.begin(), justes.end(), [](bool j) { return j; });
        if (e.technique == Technique::Solution) {
            EXPECT_EQ(k + 1, x.etapes.size());
            EXPECT_TRUE(e.unique);
            EXPECT_TRUE(toutesJustes);
            ASSERT_EQ(e.niveau, static_cast<int32_t>(justes.size()));
            continue;
        }
        if (e.technique == Technique::Hypothese) {
            ASSERT_EQ(e.niveau, static_cast<int32_t>(justes.size()) + 1);
            const CaseChiffre& h = e.poses.at(0);
            justes.push_back(solution[Indice(h.ligne, h.colonne)] == h.chiffre);
            continue;
        }
        if (e.technique == Technique::Contradiction) {
            ASSERT_FALSE(toutesJustes) << "contradiction sous des hypothèses justes";
            ASSERT_EQ(e.niveau + 1, static_cast<int32_t>(justes.size()));  // un seul niveau abandonné
            justes.pop_back();
        }
        ASSERT_EQ(e.niveau, static_cast<int32_t>(justes.size()));
        if (!std::all_of(justes.begin(), justes.end(), [](bool j) { return j; })) continue;
        for (const CaseChiffre& p : e.poses) EXPECT_EQ(solution[Indice(p.ligne, p.colonne)], p.chiffre);
        for (const CaseChiffre& r : e.retraits) EXPECT_NE(solution[Indice(r.ligne, r.colonne)], r.chiffre);
    }
    ASSERT_TRUE(x.solution.has_value());
    EXPECT_EQ(*x.solution, solution);
    EXPECT_EQ(justes.empty(), x.etapes.empty() || x.etapes.back().technique != Technique::Solution);
}

// « Pourquoi ? » là où il faut plus qu'une pose simple : après les poses simples du début
// (qui remplissent parfois toute la grille).
// La chaîne seule, rejouée sur des candidats calculés ici, doit faire de la pose une pose
// simple ; une étape retirée par erreur de la chaîne y manquerait.
void VerifierPourquoi(const Explication& x, const Position& solution)
{
    Position p = x.depart;
    for (const Etape& e : x.etapes) {
        if (e.niveau != 0 || !e.retraits.empty() || e.technique == Technique::Hypothese) break;
        for (const CaseChiffre& c : e.poses) p[Indice(c.ligne, c.colonne)] = c.chiffre;
    }
    const ProchainePose r = ExpliquerProchainePose(p);
    Candidats c = CandidatsDe(p);
    if (r.issue == ProchainePose::Pleine) {
        EXPECT_EQ(p, solution);  // les poses simples ont tout rempli
        return;
    }
    if (r.issue == ProchainePose::Hypothese) {
        const int i = Indice(r.caseHypothese.ligne, r.caseHypothese.colonne);
        EXPECT_EQ(p[i], 0);
        EXPECT_TRUE(r.candidats & Bit(solution[i]));
        EXPECT_EQ(r.candidats & ~c[i], 0);
        return;
    }
    ASSERT_EQ(r.issue, ProchainePose::Pose);
    for (std::size_t k = 0; k + 1 < r.chaine.size(); ++k) {
        for (const CaseChiffre& x : r.chaine[k].retraits) {
            const int i = Indice(x.ligne, x.colonne);
            EXPECT_TRUE(c[i] & Bit(x.chiffre)) << "retrait d'un chiffre déjà absent";
            EXPECT_NE(solution[i], x.chiffre);
            c[i] &= static_cast<uint16_t>(~Bit(x.chiffre));
        }
    }
    const Etape& pose = r.chaine.back();
    const CaseChiffre& q = pose.poses.at(0);
    const int i = Indice(q.ligne, q.colonne);
    EXPECT_EQ(solution[i], q.chiffre);
    if (pose.technique == Technique::BugPlus1) {
        EXPECT_EQ(std::popcount(c[i]), 3);
    } else if (pose.technique == Technique::SeulCandidat) {
        EXPECT_EQ(c[i], Bit(q.chiffre));
    } else {
        const std::vector<int> unite = CasesDe(pose.unites.at(0));
        EXPECT_EQ(std::count_if(unite.begin(), unite.end(), [&](int j) { return c[j] & Bit(q.chiffre); }), 1);
        EXPECT_TRUE(c[i] & Bit(q.chiffre));
    }
}

// Le compteur de solutions face au solveur de CGrille : la grille a une seule solution, la
// sienne ; avec un chiffre faux (encore candidat) dans une case vide, elle n'en a aucune ;
// sans son premier indice, elle garde au moins la sienne, la première trouvée en est une, et
// une grille de 17 indices en a alors plusieurs (aucune grille de 16 indices n'est unique).
void VerifierCompteur(const Position& depart, const Position& solution)
{
    const Comptage c = CompterSolutions(depart);
    EXPECT_EQ(c.solutions, 1);
    EXPECT_EQ(c.premiere, solution);

    const Candidats candidats = CandidatsDe(depart);
    Position faux = depart;
    for (int i = 0; i < 81; ++i) {
        if (const auto autres = static_cast<uint16_t>(candidats[i] & ~Bit(solution[i])); depart[i] == 0 && autres) {
            faux[i] = std::countr_zero(autres) + 1;
            break;
        }
    }
    EXPECT_EQ(CompterSolutions(faux).solutions, 0);

    Position moins = depart;
    *std::find_if(moins.begin(), moins.end(), [](int32_t d) { return d != 0; }) = 0;
    const Comptage m = CompterSolutions(moins);
    EXPECT_TRUE(IndicesRepetes(m.premiere).empty());
    for (int i = 0; i < 81; ++i) EXPECT_TRUE(m.premiere[i] >= 1 && (moins[i] == 0 || moins[i] == m.premiere[i])) << i;
    if (m.premiere != solution || std::count(depart.begin(), depart.end(), 0) == 81 - 17) {
        EXPECT_EQ(m.solutions, 2);
    }
}

// Chaque preuve par l'absurde dite hors de toute hypothèse, rejouée ici sur les candidats
// qu'ont laissés les étapes d'avant : l'essai n'est pas le chiffre de la solution, chaque
// implication est un seul candidat ou une seule place sous l'essai et les précédentes, et la
// contradiction dite tient au bout.
void VerifierPreuves(const Explication& x, const Position& solution)
{
    Position p = x.depart;
    Candidats c = CandidatsDe(p);
    const auto poser = [](Position& q, Candidats& k, const CaseChiffre& x) {
        const int i = Indice(x.ligne, x.colonne);
        q[i] = x.chiffre;
        k[i] = 0;
        for (int j = 0; j < 81; ++j)
            if (Voisines(i, j)) k[j] &= static_cast<uint16_t>(~Bit(x.chiffre));
    };
    const auto placesDans = [](const Candidats& k, const Unite& u, int32_t d) {
        const std::vector<int> unite = CasesDe(u);
        return std::count_if(unite.begin(), unite.end(), [&](int j) { return k[j] & Bit(d); });
    };
    for (const Etape& e : x.etapes) {
        if (e.niveau != 0 || e.technique == Technique::Hypothese) break;
        if (e.technique == Technique::PreuveParLAbsurde) {
            const CaseChiffre& essai = e.retraits.at(0);
            EXPECT_NE(solution[Indice(essai.ligne, essai.colonne)], essai.chiffre);
            EXPECT_TRUE(c[Indice(essai.ligne, essai.colonne)] & Bit(essai.chiffre));
            Position q = p;
            Candidats k = c;
            poser(q, k, essai);
            for (std::size_t m = 0; m + 1 < e.implications.size(); ++m) {
                const Etape& im = e.implications[m];
                const CaseChiffre& pose = im.poses.at(0);
                const int i = Indice(pose.ligne, pose.colonne);
                if (im.technique == Technique::SeulCandidat) {
                    EXPECT_EQ(k[i], Bit(pose.chiffre));
                } else {
                    const std::vector<int> unite = CasesDe(im.unites.at(0));
                    EXPECT_EQ(std::count(unite.begin(), unite.end(), i), 1);
                    EXPECT_TRUE((k[i] & Bit(pose.chiffre)) && placesDans(k, im.unites[0], pose.chiffre) == 1);
                }
                poser(q, k, pose);
            }
            const Etape& fin = e.implications.back();
            if (fin.contradiction == GenreContradiction::CaseSansChiffre) {
                const int i = Indice(fin.cases.at(0).ligne, fin.cases[0].colonne);
                EXPECT_TRUE(q[i] == 0 && k[i] == 0);
            } else {
                EXPECT_EQ(fin.contradiction, GenreContradiction::ChiffreSansPlace);
                const int32_t d = std::countr_zero(static_cast<unsigned>(fin.chiffres)) + 1;
                const std::vector<int> unite = CasesDe(fin.unites.at(0));
                EXPECT_EQ(placesDans(k, fin.unites[0], d), 0);
                EXPECT_TRUE(std::none_of(unite.begin(), unite.end(), [&](int j) { return q[j] == d; }));
            }
        }
        for (const CaseChiffre& k : e.poses) poser(p, c, k);
        for (const CaseChiffre& k : e.retraits) c[Indice(k.ligne, k.colonne)] &= static_cast<uint16_t>(~Bit(k.chiffre));
    }
}

// Une grille vide : des hypothèses jusqu'à la grille pleine, une solution parmi d'autres. La
// ligne 44 de top95.txt après ses poses simples, et un 2 faux en ligne 7, colonne 6 : sans
// solution, ce que « Pourquoi ? » ne découvre qu'en cherchant la prochaine pose.
TEST(Raisonnement, GrilleVideEtPositionSansSolution)
{
    const Explication vide = Expliquer(Position{});
    ASSERT_TRUE(vide.solution.has_value());
    EXPECT_EQ(vide.etapes.back().technique, Technique::Solution);
    EXPECT_FALSE(vide.etapes.back().unique);
    const std::string fausse = "030007095050001000860020000020073008500000060003004900305002417240000000000000000";
    Position p{};
    for (int i = 0; i < 81; ++i) p[i] = fausse[i] - '0';
    EXPECT_FALSE(Expliquer(p).solution.has_value());
    EXPECT_EQ(ExpliquerProchainePose(p).issue, ProchainePose::Impossible);
}

class ListePublique : public testing::TestWithParam<const char*> {};

TEST_P(ListePublique, RienDeFauxEtPourquoiSuffit)
{
    for (const std::string& texte : ChargerListe(GetParam())) {
        SCOPED_TRACE(texte);
        CGrille grille;
        Remplir(grille, texte);
        const Explication x = Expliquer(LirePosition(grille));
        ASSERT_EQ(grille.Resoudre(LimiteJoueur), FinResolution::Resolue);
        const Position solution = LirePosition(grille);
        VerifierExplication(x, solution);
        VerifierPourquoi(x, solution);
        // La note sans garder les étapes est celle du bilan des étapes gardées.
        const Bilan note = Noter(x.depart), bilan = DresserBilan(x);
        EXPECT_EQ(note.compte, bilan.compte);
        EXPECT_EQ(note.note, bilan.note);
        VerifierCompteur(x.depart, solution);
        VerifierPreuves(x, solution);
        if (testing::Test::HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Raisonnement, ListePublique,
                         testing::Values("qqwing-simple-200.txt", "qqwing-expert-200.txt", "top95.txt",
                                         "17indices-1000.txt", "top1465.txt", "difficiles-375.txt"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string nom = info.param;
                             nom = nom.substr(0, nom.find('.'));
                             std::replace(nom.begin(), nom.end(), '-', '_');
                             return nom;
                         });

}  // namespace
