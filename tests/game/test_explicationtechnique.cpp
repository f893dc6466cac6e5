// Chaque technique sur une petite position faite à la main : une grille vide dont on a ôté
// juste ce qu'il faut de candidats pour que le motif voulu soit le premier à s'appliquer.
// On vérifie la technique trouvée, les cases, les poses, les retraits et la phrase. Les
// motifs sont construits ici ; ce qu'on attend se lit sur leur construction.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "engine/raisonnement.h"
#include "game/explicationtechnique.h"

namespace {

constexpr uint16_t Tous = 0x1FF;
uint16_t Bit(int d) { return static_cast<uint16_t>(1u << (d - 1)); }
int Region(int l, int c) { return l / 3 * 3 + c / 3; }

// Les candidats du cas, lignes et colonnes de 0 à 8.
struct Motif {
    Candidats c;
    Motif() { c.fill(Tous); }
    // Ôte d des cases (l, c) pour lesquelles `ou` dit vrai.
    Motif& Oter(int d, const std::function<bool(int, int)>& ou)
    {
        for (int i = 0; i < 81; ++i)
            if (ou(i / 9, i % 9)) c[i] &= static_cast<uint16_t>(~Bit(d));
        return *this;
    }
    Motif& Fixer(int l, int col, uint16_t chiffres)
    {
        c[l * 9 + col] = chiffres;
        return *this;
    }
};

// Les retraits attendus : le chiffre d dans les cases où `ou` dit vrai.
std::vector<CaseChiffre> Retraits(std::initializer_list<int> chiffres, const std::function<bool(int, int)>& ou)
{
    std::vector<CaseChiffre> r;
    for (const int d : chiffres)
        for (int i = 0; i < 81; ++i)
            if (ou(i / 9, i % 9)) r.push_back({i / 9, i % 9, d});
    return r;
}

struct Cas {
    const char* nom;
    Motif motif;
    Technique technique;
    std::vector<Coordonnees> cases;
    std::vector<CaseChiffre> poses;
    std::vector<CaseChiffre> retraits;
    const char* phrase;
};

bool AvantCase(const CaseChiffre& a, const CaseChiffre& b)
{
    return std::tie(a.ligne, a.colonne, a.chiffre) < std::tie(b.ligne, b.colonne, b.chiffre);
}

const std::vector<Cas>& Table()
{
    static const std::vector<Cas> table{
        {"seul_candidat", Motif().Fixer(3, 5, Bit(7)), Technique::SeulCandidat, {{3, 5}}, {{3, 5, 7}}, {},
         "ligne 4, colonne 6 : seul chiffre possible, le 7"},
        {"seule_place_ligne", Motif().Oter(5, [](int l, int c) { return l == 3 && c != 1; }), Technique::SeulePlaceLigne,
         {{3, 1}}, {{3, 1, 5}}, {}, "ligne 4 : le 5 ne peut aller qu'en colonne 2"},
        {"seule_place_colonne", Motif().Oter(4, [](int l, int c) { return c == 4 && l != 3; }),
         Technique::SeulePlaceColonne, {{3, 4}}, {{3, 4, 4}}, {}, "colonne 5 : le 4 ne peut aller qu'en ligne 4"},
        {"seule_place_region", Motif().Oter(8, [](int l, int c) { return Region(l, c) == 2 && !(l == 1 && c == 8); }),
         Technique::SeulePlaceRegion, {{1, 8}}, {{1, 8, 8}}, {},
         "région 3 : le 8 ne peut aller qu'en ligne 2, colonne 9"},
        // Dans la région 5, le 3 ne reste qu'en ligne 5 : ôté du reste de la ligne 5.
        {"verrouille_region", Motif().Oter(3, [](int l, int c) { return Region(l, c) == 4 && l != 4; }),
         Technique::VerrouilleRegion, {{4, 3}, {4, 4}, {4, 5}}, {},
         Retraits({3}, [](int l, int c) { return l == 4 && Region(l, c) != 4; }),
         "candidats verrouillés : dans la région 5, le 3 ne peut aller qu'en ligne 5 ; on l'ôte du reste de la "
         "ligne 5 (colonnes 1, 2, 3, 7, 8 et 9)"},
        // Dans la ligne 1, le 6 ne reste qu'en région 1 : ôté du reste de la région 1.
        {"verrouille_ligne", Motif().Oter(6, [](int l, int c) { return l == 0 && c >= 3; }), Technique::VerrouilleLigne,
         {{0, 0}, {0, 1}, {0, 2}}, {}, Retraits({6}, [](int l, int c) { return Region(l, c) == 0 && l != 0; }),
         "candidats verrouillés : dans la ligne 1, le 6 ne peut aller qu'en région 1 ; on l'ôte du reste de la "
         "région 1 (ligne 2, colonnes 1, 2 et 3 ; ligne 3, colonnes 1, 2 et 3)"},
        {"verrouille_colonne", Motif().Oter(2, [](int l, int c) { return c == 8 && l < 6; }), Technique::VerrouilleColonne,
         {{6, 8}, {7, 8}, {8, 8}}, {}, Retraits({2}, [](int l, int c) { return Region(l, c) == 8 && c != 8; }),
         "candidats verrouillés : dans la colonne 9, le 2 ne peut aller qu'en région 9 ; on l'ôte du reste de la "
         "région 9 (ligne 7, colonnes 7 et 8 ; ligne 8, colonnes 7 et 8 ; ligne 9, colonnes 7 et 8)"},
        {"paire_nue", Motif().Fixer(2, 0, Bit(1) | Bit(9)).Fixer(2, 5, Bit(1) | Bit(9)), Technique::PaireNue,
         {{2, 0}, {2, 5}}, {}, Retraits({1, 9}, [](int l, int c) { return l == 2 && c != 0 && c != 5; }),
         "paire nue dans la ligne 3 : les colonnes 1 et 6 n'ont que le 1 et le 9 ; on ôte le 1 et le 9 en colonnes "
         "2, 3, 4, 5, 7, 8 et 9"},
        // Dans la colonne 5, le 2 et le 6 ne restent qu'en lignes 4 et 9.
        {"paire_cachee",
         Motif().Oter(2, [](int l, int c) { return c == 4 && l != 3 && l != 8; }).Oter(6, [](int l, int c) {
             return c == 4 && l != 3 && l != 8;
         }),
         Technique::PaireCachee, {{3, 4}, {8, 4}}, {},
         Retraits({1, 3, 4, 5, 7, 8, 9}, [](int l, int c) { return c == 4 && (l == 3 || l == 8); }),
         "paire cachée dans la colonne 5 : le 2 et le 6 ne peuvent aller qu'en lignes 4 et 9 ; on ôte les autres "
         "chiffres de ces cases, le 1, le 3, le 4, le 5, le 7, le 8 et le 9 en lignes 4 et 9"},
        {"triplet_nu", Motif().Fixer(6, 1, Bit(3) | Bit(5)).Fixer(6, 4, Bit(5) | Bit(8)).Fixer(6, 7, Bit(3) | Bit(8)),
         Technique::TripletNu, {{6, 1}, {6, 4}, {6, 7}}, {},
         Retraits({3, 5, 8}, [](int l, int c) { return l == 6 && c != 1 && c != 4 && c != 7; }),
         "triplet nu dans la ligne 7 : les colonnes 2, 5 et 8 n'ont que le 3, le 5 et le 8 ; on ôte le 3, le 5 et "
         "le 8 en colonnes 1, 3, 4, 6, 7 et 9"},
        // Dans la région 9, le 1, le 4 et le 7 ne restent que sur la diagonale.
        {"triplet_cache",
         Motif()
             .Oter(1, [](int l, int c) { return Region(l, c) == 8 && l != c; })
             .Oter(4, [](int l, int c) { return Region(l, c) == 8 && l != c; })
             .Oter(7, [](int l, int c) { return Region(l, c) == 8 && l != c; }),
         Technique::TripletCache, {{6, 6}, {7, 7}, {8, 8}}, {},
         Retraits({2, 3, 5, 6, 8, 9}, [](int l, int c) { return Region(l, c) == 8 && l == c; }),
         "triplet caché dans la région 9 : le 1, le 4 et le 7 ne peuvent aller qu'en ligne 7, colonne 7, ligne 8, "
         "colonne 8 et ligne 9, colonne 9 ; on ôte les autres chiffres de ces cases, le 2, le 3, le 5, le 6, le 8 "
         "et le 9 en ligne 7, colonne 7, ligne 8, colonne 8 et ligne 9, colonne 9"},
        // Le 5 des lignes 1 et 6 ne reste qu'en colonnes 3 et 8.
        {"x_wing", Motif().Oter(5, [](int l, int c) { return (l == 0 || l == 5) && c != 2 && c != 7; }), Technique::XWing,
         {{0, 2}, {0, 7}, {5, 2}, {5, 7}}, {},
         Retraits({5}, [](int l, int c) { return (c == 2 || c == 7) && l != 0 && l != 5; }),
         "X-wing sur le 5 : dans les lignes 1 et 6, il ne peut aller qu'en colonnes 3 et 8 ; on l'ôte du reste de "
         "ces colonnes (colonne 3, lignes 2, 3, 4, 5, 7, 8 et 9 ; colonne 8, lignes 2, 3, 4, 5, 7, 8 et 9)"},
        // Le 9 des lignes 2, 5 et 8 ne reste qu'en colonnes 1 et 5, 5 et 9, 1 et 9.
        {"swordfish",
         Motif().Oter(9,
                      [](int l, int c) {
                          return (l == 1 && c != 0 && c != 4) || (l == 4 && c != 4 && c != 8) || (l == 7 && c != 0 && c != 8);
                      }),
         Technique::Swordfish, {{1, 0}, {1, 4}, {4, 4}, {4, 8}, {7, 0}, {7, 8}}, {},
         Retraits({9}, [](int l, int c) { return (c == 0 || c == 4 || c == 8) && l != 1 && l != 4 && l != 7; }),
         "swordfish sur le 9 : dans les lignes 2, 5 et 8, il ne peut aller qu'en colonnes 1, 5 et 9 ; on l'ôte du "
         "reste de ces colonnes (colonne 1, lignes 1, 3, 4, 6, 7 et 9 ; colonne 5, lignes 1, 3, 4, 6, 7 et 9 ; "
         "colonne 9, lignes 1, 3, 4, 6, 7 et 9)"},
        // Pivot {1,2}, pinces {1,3} sur sa ligne et {2,3} sur sa colonne : le 3 quitte la case
        // qui voit les deux pinces.
        {"xy_wing", Motif().Fixer(0, 0, Bit(1) | Bit(2)).Fixer(0, 5, Bit(1) | Bit(3)).Fixer(5, 0, Bit(2) | Bit(3)),
         Technique::XYWing, {{0, 0}, {0, 5}, {5, 0}}, {}, {{5, 5, 3}},
         "XY-wing : ligne 1, colonne 1 (1 ou 2) voit ligne 1, colonne 6 (1 ou 3) et ligne 6, colonne 1 (2 ou 3) ; "
         "l'une de ces deux cases sera un 3, on l'ôte donc en ligne 6, colonne 6"},
        {"hypothese", Motif().Fixer(4, 4, Bit(3) | Bit(7)), Technique::Hypothese, {{4, 4}}, {{4, 4, 3}}, {},
         "hypothèse : ligne 5, colonne 5 (3 ou 7), on essaie le 3 (niveau 1) ; la grille a plusieurs solutions, aucun "
         "raisonnement ne peut la finir seul"},
        {"contradiction", Motif().Fixer(2, 3, 0), Technique::Contradiction, {{2, 3}}, {}, {},
         "contradiction : ligne 3, colonne 4 n'a plus aucun chiffre possible ; la grille n'a pas de solution"},
    };
    return table;
}

class ParTechnique : public testing::TestWithParam<Cas> {};

TEST_P(ParTechnique, PremiereEtapeEtSaPhrase)
{
    const Cas& cas = GetParam();
    const std::optional<Etape> e = EtapeSuivante(Position{}, cas.motif.c);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(IdTechnique(e->technique), IdTechnique(cas.technique));
    std::vector<Coordonnees> cases = e->cases;
    std::sort(cases.begin(), cases.end(),
              [](const Coordonnees& a, const Coordonnees& b) { return a.ligne * 9 + a.colonne < b.ligne * 9 + b.colonne; });
    EXPECT_EQ(cases, cas.cases);
    EXPECT_EQ(e->poses, cas.poses);
    std::vector<CaseChiffre> retraits = e->retraits, attendus = cas.retraits;
    std::sort(retraits.begin(), retraits.end(), AvantCase);
    std::sort(attendus.begin(), attendus.end(), AvantCase);
    EXPECT_EQ(retraits, attendus);
    EXPECT_EQ(DecrireEtape(*e), cas.phrase);
}

INSTANTIATE_TEST_SUITE_P(Raisonnement, ParTechnique, testing::ValuesIn(Table()),
                         [](const testing::TestParamInfo<Cas>& info) { return std::string(info.param.nom); });

}  // namespace
