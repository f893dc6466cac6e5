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
#include "game/explication.h"
#include "game/explicationtechnique.h"

namespace {

constexpr uint16_t Tous = 0x1FF;
uint16_t Bit(int d) { return static_cast<uint16_t>(1u << (d - 1)); }
uint16_t Masque(std::initializer_list<int> chiffres)
{
    uint16_t m = 0;
    for (const int d : chiffres) m |= Bit(d);
    return m;
}
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
    const char* indice;  // le premier temps de l'indice : la technique et où regarder
};

bool AvantCase(const CaseChiffre& a, const CaseChiffre& b)
{
    return std::tie(a.ligne, a.colonne, a.chiffre) < std::tie(b.ligne, b.colonne, b.chiffre);
}

const std::vector<Cas>& Table()
{
    static const std::vector<Cas> table{
        {"seul_candidat", Motif().Fixer(3, 5, Bit(7)), Technique::SeulCandidat, {{3, 5}}, {{3, 5, 7}}, {},
         "ligne 4, colonne 6 : seul chiffre possible, le 7", "un seul candidat dans la région 5"},
        {"seule_place_ligne", Motif().Oter(5, [](int l, int c) { return l == 3 && c != 1; }), Technique::SeulePlaceLigne,
         {{3, 1}}, {{3, 1, 5}}, {}, "ligne 4 : le 5 ne peut aller qu'en colonne 2", "une seule place dans la ligne 4"},
        {"seule_place_colonne", Motif().Oter(4, [](int l, int c) { return c == 4 && l != 3; }),
         Technique::SeulePlaceColonne, {{3, 4}}, {{3, 4, 4}}, {}, "colonne 5 : le 4 ne peut aller qu'en ligne 4", "une seule place dans la colonne 5"},
        {"seule_place_region", Motif().Oter(8, [](int l, int c) { return Region(l, c) == 2 && !(l == 1 && c == 8); }),
         Technique::SeulePlaceRegion, {{1, 8}}, {{1, 8, 8}}, {},
         "région 3 : le 8 ne peut aller qu'en ligne 2, colonne 9", "une seule place dans la région 3"},
        // Dans la région 5, le 3 ne reste qu'en ligne 5 : ôté du reste de la ligne 5.
        {"verrouille_region", Motif().Oter(3, [](int l, int c) { return Region(l, c) == 4 && l != 4; }),
         Technique::VerrouilleRegion, {{4, 3}, {4, 4}, {4, 5}}, {},
         Retraits({3}, [](int l, int c) { return l == 4 && Region(l, c) != 4; }),
         "candidats verrouillés : dans la région 5, le 3 ne peut aller qu'en ligne 5 ; on l'ôte du reste de la "
         "ligne 5 (colonnes 1, 2, 3, 7, 8 et 9)",
         "des candidats verrouillés dans la région 5"},
        // Dans la ligne 1, le 6 ne reste qu'en région 1 : ôté du reste de la région 1.
        {"verrouille_ligne", Motif().Oter(6, [](int l, int c) { return l == 0 && c >= 3; }), Technique::VerrouilleLigne,
         {{0, 0}, {0, 1}, {0, 2}}, {}, Retraits({6}, [](int l, int c) { return Region(l, c) == 0 && l != 0; }),
         "candidats verrouillés : dans la ligne 1, le 6 ne peut aller qu'en région 1 ; on l'ôte du reste de la "
         "région 1 (ligne 2, colonnes 1, 2 et 3 ; ligne 3, colonnes 1, 2 et 3)",
         "des candidats verrouillés dans la ligne 1"},
        {"verrouille_colonne", Motif().Oter(2, [](int l, int c) { return c == 8 && l < 6; }), Technique::VerrouilleColonne,
         {{6, 8}, {7, 8}, {8, 8}}, {}, Retraits({2}, [](int l, int c) { return Region(l, c) == 8 && c != 8; }),
         "candidats verrouillés : dans la colonne 9, le 2 ne peut aller qu'en région 9 ; on l'ôte du reste de la "
         "région 9 (ligne 7, colonnes 7 et 8 ; ligne 8, colonnes 7 et 8 ; ligne 9, colonnes 7 et 8)",
         "des candidats verrouillés dans la colonne 9"},
        {"paire_nue", Motif().Fixer(2, 0, Bit(1) | Bit(9)).Fixer(2, 5, Bit(1) | Bit(9)), Technique::PaireNue,
         {{2, 0}, {2, 5}}, {}, Retraits({1, 9}, [](int l, int c) { return l == 2 && c != 0 && c != 5; }),
         "paire nue dans la ligne 3 : les colonnes 1 et 6 n'ont que le 1 et le 9 ; on ôte le 1 et le 9 en colonnes "
         "2, 3, 4, 5, 7, 8 et 9",
         "une paire nue dans la ligne 3"},
        // Dans la colonne 5, le 2 et le 6 ne restent qu'en lignes 4 et 9.
        {"paire_cachee",
         Motif().Oter(2, [](int l, int c) { return c == 4 && l != 3 && l != 8; }).Oter(6, [](int l, int c) {
             return c == 4 && l != 3 && l != 8;
         }),
         Technique::PaireCachee, {{3, 4}, {8, 4}}, {},
         Retraits({1, 3, 4, 5, 7, 8, 9}, [](int l, int c) { return c == 4 && (l == 3 || l == 8); }),
         "paire cachée dans la colonne 5 : le 2 et le 6 ne peuvent aller qu'en lignes 4 et 9 ; on ôte les autres "
         "chiffres de ces cases, le 1, le 3, le 4, le 5, le 7, le 8 et le 9 en lignes 4 et 9",
         "une paire cachée dans la colonne 5"},
        {"triplet_nu", Motif().Fixer(6, 1, Bit(3) | Bit(5)).Fixer(6, 4, Bit(5) | Bit(8)).Fixer(6, 7, Bit(3) | Bit(8)),
         Technique::TripletNu, {{6, 1}, {6, 4}, {6, 7}}, {},
         Retraits({3, 5, 8}, [](int l, int c) { return l == 6 && c != 1 && c != 4 && c != 7; }),
         "triplet nu dans la ligne 7 : les colonnes 2, 5 et 8 n'ont que le 3, le 5 et le 8 ; on ôte le 3, le 5 et "
         "le 8 en colonnes 1, 3, 4, 6, 7 et 9",
         "un triplet nu dans la ligne 7"},
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
         "et le 9 en ligne 7, colonne 7, ligne 8, colonne 8 et ligne 9, colonne 9",
         "un triplet caché dans la région 9"},
        // Le 5 des lignes 1 et 6 ne reste qu'en colonnes 3 et 8.
        {"x_wing", Motif().Oter(5, [](int l, int c) { return (l == 0 || l == 5) && c != 2 && c != 7; }), Technique::XWing,
         {{0, 2}, {0, 7}, {5, 2}, {5, 7}}, {},
         Retraits({5}, [](int l, int c) { return (c == 2 || c == 7) && l != 0 && l != 5; }),
         "X-wing sur le 5 : dans les lignes 1 et 6, il ne peut aller qu'en colonnes 3 et 8 ; on l'ôte du reste de "
         "ces colonnes (colonne 3, lignes 2, 3, 4, 5, 7, 8 et 9 ; colonne 8, lignes 2, 3, 4, 5, 7, 8 et 9)",
         "un X-wing sur le 5"},
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
         "colonne 9, lignes 1, 3, 4, 6, 7 et 9)",
         "un swordfish sur le 9"},
        // Pivot {1,2}, pinces {1,3} sur sa ligne et {2,3} sur sa colonne : le 3 quitte la case
        // qui voit les deux pinces.
        {"xy_wing", Motif().Fixer(0, 0, Bit(1) | Bit(2)).Fixer(0, 5, Bit(1) | Bit(3)).Fixer(5, 0, Bit(2) | Bit(3)),
         Technique::XYWing, {{0, 0}, {0, 5}, {5, 0}}, {}, {{5, 5, 3}},
         "XY-wing : ligne 1, colonne 1 (1 ou 2) voit ligne 1, colonne 6 (1 ou 3) et ligne 6, colonne 1 (2 ou 3) ; "
         "l'une de ces deux cases sera un 3, on l'ôte donc en ligne 6, colonne 6", "un XY-wing autour de ligne 1, colonne 1"},
        // Pivot {1,2,3}, pinces {1,3} sur sa ligne et {2,3} dans sa région : le 3 quitte les
        // cases qui voient les trois.
        {"xyz_wing", Motif().Fixer(0, 0, Bit(1) | Bit(2) | Bit(3)).Fixer(0, 4, Bit(1) | Bit(3)).Fixer(1, 1, Bit(2) | Bit(3)),
         Technique::XYZWing, {{0, 0}, {0, 4}, {1, 1}}, {}, {{0, 1, 3}, {0, 2, 3}},
         "XYZ-wing : ligne 1, colonne 1 (1, 2 ou 3) voit ligne 1, colonne 5 (1 ou 3) et ligne 2, colonne 2 (2 ou 3) ; "
         "l'une de ces trois cases sera un 3, on l'ôte donc en ligne 1, colonnes 2 et 3",
         "un XYZ-wing autour de ligne 1, colonne 1"},
        // Deux cases {4,7} qui ne se voient pas ; le 7 de la colonne 9 n'a que deux places, une
        // sur la ligne de chacune : le 4 quitte les cases qui voient les deux.
        {"w_wing",
         Motif()
             .Fixer(0, 0, Bit(4) | Bit(7))
             .Fixer(4, 5, Bit(4) | Bit(7))
             .Oter(7, [](int l, int c) { return c == 8 && l != 0 && l != 4; }),
         Technique::WWing, {{0, 0}, {0, 8}, {4, 5}, {4, 8}}, {}, {{0, 5, 4}, {4, 0, 4}},
         "W-wing : ligne 1, colonne 1 et ligne 5, colonne 6 n'ont que le 4 et le 7 ; dans la colonne 9, le 7 ne peut "
         "aller qu'en ligne 1, colonne 9, qui voit la première, ou en ligne 5, colonne 9, qui voit la seconde : elles ne "
         "sont donc pas toutes deux un 7, l'une est un 4 ; on l'ôte donc en ligne 1, colonne 6 et ligne 5, colonne 1",
         "un W-wing sur le 4 et le 7"},
        // Six cases {3,8}, chacune voyant la suivante (les paires nues déjà faites) : la
        // première et la dernière sont l'une 3, l'autre 8.
        {"paires_distantes",
         [] {
             const std::array<std::pair<int, int>, 6> chaine{{{0, 0}, {0, 3}, {4, 3}, {4, 7}, {7, 7}, {7, 1}}};
             Motif m;
             for (const int d : {3, 8}) {
                 m.Oter(d, [](int l, int c) {
                     return (l == 0 && c != 0 && c != 3) || (c == 3 && l != 0 && l != 4) || (l == 4 && c != 3 && c != 7) ||
                            (c == 7 && l != 4 && l != 7) || (l == 7 && c != 7 && c != 1);
                 });
             }
             for (const auto& [l, c] : chaine) m.Fixer(l, c, Bit(3) | Bit(8));
             return m;
         }(),
         Technique::PairesDistantes, {{0, 0}, {0, 3}, {4, 3}, {4, 7}, {7, 1}, {7, 7}}, {},
         Retraits({3, 8}, [](int l, int c) { return (c == 1 && (l == 1 || l == 2)) || (c == 0 && (l == 6 || l == 8)); }),
         "paires distantes (3 et 8) : si le 3 n'allait pas en ligne 1, colonne 1, le 8 y irait (seuls chiffres de la "
         "case), donc pas en ligne 1, colonne 4 (même ligne), donc le 3 y irait (seuls chiffres de la case), donc pas en "
         "ligne 5, colonne 4 (même colonne), donc le 8 y irait (seuls chiffres de la case), donc pas en ligne 5, colonne "
         "8 (même ligne), donc le 3 y irait (seuls chiffres de la case), donc pas en ligne 8, colonne 8 (même colonne), "
         "donc le 8 y irait (seuls chiffres de la case), donc pas en ligne 8, colonne 2 (même ligne), donc le 3 y irait "
         "(seuls chiffres de la case) : le 3 va en ligne 1, colonne 1 ou en ligne 8, colonne 2, et de même pour le 8 ; "
         "on ôte donc le 3 et le 8 en ligne 2, colonne 2, ligne 3, colonne 2, ligne 7, colonne 1 et ligne 9, colonne 1",
         "des paires distantes sur le 3 et le 8"},
        // Le 5 n'a que deux places dans les lignes 1 et 5, la colonne 1 commune.
        {"gratte_ciel",
         Motif().Oter(5, [](int l, int c) { return (l == 0 && c != 0 && c != 3) || (l == 4 && c != 0 && c != 4); }),
         Technique::GratteCiel, {{0, 0}, {0, 3}, {4, 0}, {4, 4}}, {}, {{1, 4, 5}, {2, 4, 5}, {3, 3, 5}, {5, 3, 5}},
         "gratte-ciel sur le 5 : si le 5 n'allait pas en ligne 1, colonne 4, il irait en ligne 1, colonne 1 (seules "
         "places dans la ligne 1), donc pas en ligne 5, colonne 1 (même colonne), donc en ligne 5, colonne 5 (seules "
         "places dans la ligne 5) : le 5 va en ligne 1, colonne 4 ou en ligne 5, colonne 5 ; on ôte donc le 5 en ligne "
         "2, colonne 5, ligne 3, colonne 5, ligne 4, colonne 4 et ligne 6, colonne 4",
         "un gratte-ciel sur le 5"},
        // Le 6 n'a que deux places dans la ligne 2 et dans la colonne 3, une de chaque dans la région 1.
        {"cerf_volant",
         Motif().Oter(6, [](int l, int c) { return (l == 1 && c != 1 && c != 6) || (c == 2 && l != 0 && l != 7); }),
         Technique::CerfVolant, {{0, 2}, {1, 1}, {1, 6}, {7, 2}}, {}, {{7, 6, 6}},
         "cerf-volant sur le 6 : si le 6 n'allait pas en ligne 2, colonne 7, il irait en ligne 2, colonne 2 (seules "
         "places dans la ligne 2), donc pas en ligne 1, colonne 3 (même région), donc en ligne 8, colonne 3 (seules "
         "places dans la colonne 3) : le 6 va en ligne 2, colonne 7 ou en ligne 8, colonne 3 ; on ôte donc le 6 en ligne "
         "8, colonne 7",
         "un cerf-volant sur le 6"},
        // Le 2 n'a que deux places dans les lignes 1, 4 et 7 et les colonnes 5 et 8 : deux
        // couleurs en zigzag ; les cases qui voient les deux bouts le perdent.
        {"coloriage",
         Motif().Oter(2,
                      [](int l, int c) {
                          return (l == 0 && c != 0 && c != 4) || (l == 3 && c != 4 && c != 7) || (l == 6 && c != 1 && c != 7) ||
                                 (c == 4 && l != 0 && l != 3) || (c == 7 && l != 3 && l != 6);
                      }),
         Technique::Coloriage, {{0, 0}, {0, 4}, {3, 4}, {3, 7}, {6, 1}, {6, 7}}, {},
         {{1, 1, 2}, {2, 1, 2}, {7, 0, 2}, {8, 0, 2}},
         "coloriage du 2 : ses paires de places (ligne 1, colonnes 1 et 5 ; colonne 5, lignes 1 et 4 ; ligne 4, colonnes "
         "5 et 8 ; colonne 8, lignes 4 et 7 ; ligne 7, colonnes 2 et 8) font deux couleurs, ligne 1, colonne 1, ligne 4, "
         "colonne 5 et ligne 7, colonne 8 d'un côté, ligne 1, colonne 5, ligne 4, colonne 8 et ligne 7, colonne 2 de "
         "l'autre, et le 2 va dans toutes les cases d'une couleur ; ligne 2, colonne 2, ligne 3, colonne 2, ligne 8, "
         "colonne 1 et ligne 9, colonne 1 voient les deux couleurs, on y ôte donc le 2",
         "un coloriage sur le 2"},
        // Le 9 n'a que deux places dans la région 1 et dans la ligne 7, reliées par la colonne 3.
        {"chaine_x",
         Motif().Oter(9, [](int l, int c) {
             return (Region(l, c) == 0 && !(l == 0 && c == 1) && !(l == 2 && c == 2)) || (l == 6 && c != 2 && c != 7);
         }),
         Technique::ChaineX, {{0, 1}, {2, 2}, {6, 2}, {6, 7}}, {}, {{0, 7, 9}},
         "chaîne X sur le 9 : si le 9 n'allait pas en ligne 1, colonne 2, il irait en ligne 3, colonne 3 (seules places "
         "dans la région 1), donc pas en ligne 7, colonne 3 (même colonne), donc en ligne 7, colonne 8 (seules places "
         "dans la ligne 7) : le 9 va en ligne 1, colonne 2 ou en ligne 7, colonne 8 ; on ôte donc le 9 en ligne 1, "
         "colonne 8",
         "une chaîne X sur le 9"},
        // {1,2}, {2,3}, {3,4}, {4,1}, chacune voyant la suivante : l'une des deux du bout est un 1.
        {"chaine_xy",
         Motif().Fixer(0, 0, Bit(1) | Bit(2)).Fixer(0, 4, Bit(2) | Bit(3)).Fixer(4, 4, Bit(3) | Bit(4)).Fixer(4, 1, Bit(1) | Bit(4)),
         Technique::ChaineXY, {{0, 0}, {0, 4}, {4, 1}, {4, 4}}, {},
         Retraits({1}, [](int l, int c) { return (l == 0 && c == 1) || (c == 1 && l >= 1 && l <= 2) || (c == 0 && l >= 3 && l <= 5); }),
         "chaîne XY : si le 1 n'allait pas en ligne 1, colonne 1, le 2 y irait (seuls chiffres de la case), donc pas en "
         "ligne 1, colonne 5 (même ligne), donc le 3 y irait (seuls chiffres de la case), donc pas en ligne 5, colonne 5 "
         "(même colonne), donc le 4 y irait (seuls chiffres de la case), donc pas en ligne 5, colonne 2 (même ligne), "
         "donc le 1 y irait (seuls chiffres de la case) : le 1 va en ligne 1, colonne 1 ou en ligne 5, colonne 2 ; on ôte "
         "donc le 1 en ligne 1, colonne 2, ligne 2, colonne 2, ligne 3, colonne 2, ligne 4, colonne 1, ligne 5, colonne "
         "1 et ligne 6, colonne 1",
         "une chaîne XY qui part de ligne 1, colonne 1"},
        // Le 5 de la ligne 1 ne va qu'en colonne 1 ou dans la région 3 (colonnes 7 et 8), celui
        // de la région 3 qu'en ligne 1 ou en ligne 2, colonne 9, celui de la colonne 9 qu'en
        // lignes 2 et 6.
        {"chaine_alternee",
         Motif().Oter(5, [](int l, int c) {
             return (l == 0 && c != 0 && c != 6 && c != 7) || (Region(l, c) == 2 && l != 0 && !(l == 1 && c == 8)) ||
                    (c == 8 && l != 1 && l != 5);
         }),
         Technique::ChaineAlternee, {{0, 0}, {0, 6}, {0, 7}, {1, 8}, {5, 8}}, {}, {{5, 0, 5}},
         "chaîne alternée sur le 5 : si le 5 n'allait pas en ligne 1, colonne 1, il irait en ligne 1, colonnes 7 et 8 "
         "(seules places dans la ligne 1), donc pas en ligne 2, colonne 9 (même région), donc en ligne 6, colonne 9 "
         "(seules places dans la colonne 9) : le 5 va en ligne 1, colonne 1 ou en ligne 6, colonne 9 ; on ôte donc le 5 "
         "en ligne 6, colonne 1",
         "une chaîne alternée qui part de ligne 1, colonne 1"},
        {"hypothese", Motif().Fixer(4, 4, Bit(3) | Bit(7)), Technique::Hypothese, {{4, 4}}, {{4, 4, 3}}, {},
         "hypothèse : ligne 5, colonne 5 (3 ou 7), on essaie le 3 (niveau 1) ; la grille a plusieurs solutions, aucun "
         "raisonnement ne peut la finir seul",
         "une hypothèse en ligne 5, colonne 5"},
        {"contradiction", Motif().Fixer(2, 3, 0), Technique::Contradiction, {{2, 3}}, {}, {},
         "contradiction : ligne 3, colonne 4 n'a plus aucun chiffre possible ; la grille n'a pas de solution",
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
    // Les deux premiers temps d'un indice : la technique et où regarder, puis chaque case en
    // jeu avec ses candidats.
    EXPECT_EQ(IndiceOu(*e), cas.indice);
    const std::string candidats = IndiceCandidats(*e);
    EXPECT_EQ(candidats.rfind(cas.indice, 0), 0u) << candidats;
    for (const CaseChiffre& c : CandidatsEnJeu(*e)) {
        EXPECT_TRUE(e->candidatsCases.empty() || (cas.motif.c[c.ligne * 9 + c.colonne] & Bit(c.chiffre)));
        EXPECT_NE(candidats.find(NommerCase(c.ligne, c.colonne) + " ("), std::string::npos) << candidats;
    }
}

INSTANTIATE_TEST_SUITE_P(Raisonnement, ParTechnique, testing::ValuesIn(Table()),
                         [](const testing::TestParamInfo<Cas>& info) { return std::string(info.param.nom); });

// Les techniques qu'un motif sur une grille vide ne fait pas paraître d'abord : celles qui ne
// valent que sur une grille à une seule solution, et la preuve par l'absurde, que les chaînes
// devancent. Leurs mots, sur une étape faite à la main (leur recherche est vérifiée sur les
// listes publiques).
TEST(Raisonnement, MotsDesEtapesSansMotif)
{
    Etape rectangle;
    rectangle.technique = Technique::RectangleUnique;
    rectangle.cases = {{0, 0}, {0, 4}, {1, 0}, {1, 4}};
    rectangle.candidatsCases = {Masque({3, 7}), Masque({3, 7}), Masque({3, 7}), Masque({3, 5, 7})};
    rectangle.chiffres = Masque({3, 7});
    rectangle.retraits = {{1, 4, 3}, {1, 4, 7}};
    Etape bug;
    bug.technique = Technique::BugPlus1;
    bug.cases = {{2, 3}, {2, 5}};
    bug.candidatsCases = {Masque({2, 5, 7}), Masque({2, 7})};
    bug.chiffres = Bit(5);
    bug.poses = {{2, 3, 5}};
    Etape preuve;
    preuve.technique = Technique::PreuveParLAbsurde;
    preuve.cases = {{0, 0}};
    preuve.candidatsCases = {Masque({4, 9})};
    preuve.chiffres = Bit(4);
    preuve.retraits = {{0, 0, 4}};
    preuve.implications.resize(3);
    preuve.implications[0].poses = {{0, 5, 7}};
    preuve.implications[1].technique = Technique::SeulePlaceColonne;
    preuve.implications[1].poses = {{3, 2, 5}};
    preuve.implications[1].unites = {{GenreUnite::Colonne, 2}};
    preuve.implications[2].technique = Technique::Contradiction;
    preuve.implications[2].contradiction = GenreContradiction::ChiffreSansPlace;
    preuve.implications[2].unites = {{GenreUnite::Colonne, 2}};
    preuve.implications[2].chiffres = Bit(7);
    const std::tuple<Etape, const char*, const char*> cas[] = {
        {rectangle,
         "rectangle unique : ligne 1, colonne 1, ligne 1, colonne 5 et ligne 2, colonne 1 n'ont que le 3 et le 7 ; si "
         "ligne 2, colonne 5 valait le 3 ou le 7, on pourrait échanger le 3 et le 7 dans ces quatre cases et la grille "
         "aurait deux solutions ; elle n'en a qu'une, on ôte donc le 3 et le 7 en ligne 2, colonne 5",
         "un rectangle unique sur le 3 et le 7"},
        {bug,
         "BUG+1 : toutes les cases vides n'ont que deux chiffres, sauf ligne 3, colonne 4 (2, 5 ou 7) ; sans le 5 dans "
         "cette case, chaque chiffre aurait zéro ou deux places dans chaque unité, ce qui ne laisse jamais une seule "
         "solution ; la grille n'en a qu'une, le 5 va donc en ligne 3, colonne 4",
         "un BUG+1 en ligne 3, colonne 4"},
        {preuve,
         "preuve par l'absurde : si le 4 allait en ligne 1, colonne 1, le 7 irait en ligne 1, colonne 6 (seul chiffre "
         "possible), le 5 en ligne 4, colonne 3 (seule place dans la colonne 3) ; et le 7 n'aurait plus de place dans "
         "la colonne 3 ; le 4 ne va donc pas en ligne 1, colonne 1",
         "une preuve par l'absurde : essayez le 4 en ligne 1, colonne 1"},
    };
    for (const auto& [etape, phrase, indice] : cas) {
        EXPECT_EQ(DecrireEtape(etape), phrase);
        EXPECT_EQ(IndiceOu(etape), indice);
    }
}

}  // namespace
